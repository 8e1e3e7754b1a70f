#include "toolkit/dialogs/companion_resource.hpp"

#include <charconv>
#include <cstdlib>

namespace toolkit {

namespace {

enum class Section { None, Ranges, Menus, Checks, Tabs, Grids, Colours, Trackbars, Lengths };

Section SectionNamed(std::string_view line) {
  constexpr std::pair<std::string_view, Section> names[] = {
      {"[Ranges]", Section::Ranges},   {"[Menus]", Section::Menus},         {"[Checks]", Section::Checks},
      {"[Tabs]", Section::Tabs},       {"[Grids]", Section::Grids},         {"[Colours]", Section::Colours},
      {"[Trackbars]", Section::Trackbars}, {"[Lengths]", Section::Lengths},
  };
  for (const auto& [name, section] : names) {
    if (line == name) return section;
  }
  return Section::None;
}

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Reads values off the front of a line.
class Values {
 public:
  explicit Values(std::string_view line) : rest_(line) {}

  bool Next(int& value) {
    const std::string_view token = Token();
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return !token.empty() && error == std::errc() && end == token.data() + token.size();
  }

  bool Next(double& value) {
    const std::string token(Token());
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return !token.empty() && end == token.c_str() + token.size();
  }

  // What follows the values read: an item or a label.
  std::string Rest() {
    Skip();
    return std::string(Trimmed(rest_));
  }

 private:
  void Skip() {
    while (!rest_.empty() && IsSeparator(rest_.front())) rest_.remove_prefix(1);
  }

  std::string_view Token() {
    Skip();
    std::size_t n = 0;
    while (n < rest_.size() && !IsSeparator(rest_[n])) ++n;
    const std::string_view token = rest_.substr(0, n);
    rest_.remove_prefix(n);
    return token;
  }

  std::string_view rest_;
};

// Headings may hold blanks: only commas part them.
std::vector<std::string> Headings(std::string_view rest) {
  std::vector<std::string> headings;
  while (!rest.empty()) {
    const std::size_t comma = std::min(rest.find(','), rest.size());
    headings.emplace_back(Trimmed(rest.substr(0, comma)));
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return headings;
}

template <typename... T>
bool Read(Values& values, T&... out) {
  return (values.Next(out) && ...);
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

  CompanionResource Run() {
    while (!AtEnd()) {
      const std::string_view line = NextLine();
      if (line.empty()) continue;
      if (line.front() == '[') {
        section_ = SectionNamed(line);
        continue;
      }
      ReadLine(line);
    }
    return std::move(result_);
  }

 private:
  bool AtEnd() const { return position_ >= text_.size(); }

  std::string_view NextLine() {
    const std::size_t end = std::min(text_.find('\n', position_), text_.size());
    const std::string_view line = Trimmed(text_.substr(position_, end - position_));
    position_ = end + 1;
    return line;
  }

  void ReadLine(std::string_view line) {
    Values v(line);
    int field = 0;
    if (!v.Next(field)) return;
    switch (section_) {
      case Section::Ranges: {
        CompanionRange r{field};
        if (Read(v, r.Minimum, r.Maximum)) result_.Ranges.push_back(r);
        break;
      }
      case Section::Checks: {
        CompanionCheck c{field};
        if (Read(v, c.State)) result_.Checks.push_back(c);
        break;
      }
      case Section::Menus: {
        CompanionMenu m;
        m.Field = field;
        int count = 0;
        if (!Read(v, count, m.Selected)) break;
        for (int i = 0; i < count && !AtEnd(); ++i) m.Items.emplace_back(NextLine());
        result_.Menus.push_back(std::move(m));
        break;
      }
      case Section::Tabs: {
        CompanionTabs t;
        t.Field = field;
        int count = 0;
        if (!Read(v, count, t.CurrentPage)) break;
        for (int i = 0; i < count && !AtEnd(); ++i) {
          Values page(NextLine());
          CompanionPage p;
          if (page.Next(p.DialogId)) t.Pages.push_back({p.DialogId, page.Rest()});
        }
        result_.Tabs.push_back(std::move(t));
        break;
      }
      case Section::Grids: {
        CompanionGrid g;
        g.Field = field;
        if (Read(v, g.Rows, g.Columns) && g.Rows > 0 && g.Columns > 0) {
          g.Headings = Headings(v.Rest());
          result_.Grids.push_back(std::move(g));
        }
        break;
      }
      case Section::Colours: {
        CompanionColours c{field};
        if (Read(v, c.Foreground[0], c.Foreground[1], c.Foreground[2], c.Background[0], c.Background[1],
                 c.Background[2])) {
          result_.Colours.push_back(c);
        }
        break;
      }
      case Section::Trackbars: {
        CompanionTrackbar t{field};
        if (Read(v, t.PageSize, t.LineSize, t.TickFrequency, t.SelectionStart, t.SelectionEnd)) {
          result_.Trackbars.push_back(t);
        }
        break;
      }
      case Section::Lengths: {
        CompanionLength l{field};
        if (Read(v, l.Length)) result_.Lengths.push_back(l);
        break;
      }
      case Section::None: break;
    }
  }

  std::string_view text_;
  std::size_t position_ = 0;
  Section section_ = Section::None;
  CompanionResource result_;
};

}  // namespace

CompanionResource ParseCompanion(std::string_view text) { return Parser(text).Run(); }

}  // namespace toolkit
