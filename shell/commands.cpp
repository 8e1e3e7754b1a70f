#include "shell/commands.hpp"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "conversion/files/system_files.hpp"
#include "resources/resource_ids.hpp"
#include "shell/application_state.hpp"
#include "shell/convert_log.hpp"
#include "shell/open_log.hpp"
#include "text/fixed_text.hpp"
#include "toolkit/codes.hpp"

namespace shell {

namespace {

using namespace resources;


struct Resolution {
  int Command;
  int Seconds;
  std::string_view StatusText;
};

// In the order the check marks are set.
constexpr std::array<Resolution, 3> Resolutions{{
    {CommandResolution1, 1, OneSecondText},
    {CommandResolution5, 5, " Resolution: 5 seconds"},
    {CommandResolution10, 10, " Resolution: 10 seconds"},
}};

void ChooseResolution(Toolkit& toolkit, const Resolution& chosen) {
  for (const Resolution& item : Resolutions) {
    toolkit.MenuItemState(item.Command, toolkit::MenuItemKind::Checked, item.Command == chosen.Command ? 1 : 0);
  }
  Application.OneFixIn = chosen.Seconds;
  toolkit.StatusBarText(ResolutionPart, chosen.StatusText);
}

// The check marks of Options' number styles; the toolbar's buttons follow them.
void ChooseNumberStyle(Toolkit& toolkit, conversion::NumberStyle style, std::string_view statusText) {
  const bool english = style == conversion::NumberStyle::English;
  toolkit.MenuItemState(CommandEnglishNumbers, toolkit::MenuItemKind::Checked, english ? 1 : 0);
  toolkit.MenuItemState(CommandContinentalNumbers, toolkit::MenuItemKind::Checked, english ? 0 : 1);
  Application.NumberStyle = style;
  toolkit.StatusBarText(NumberStylePart, statusText);
}

// An option of the Options menu that each choice turns over, with its check mark.
void Toggle(Toolkit& toolkit, bool& option, int command) {
  option = !option;
  toolkit.MenuItemState(command, toolkit::MenuItemKind::Checked, option ? 1 : 0);
}

// Help > Pinwell. The toolkit only records why help could not be shown; the
// user is told what is missing: the page, or a program that opens it.
void ShowHelp(Toolkit& toolkit) {
  constexpr std::string_view helpFile = "Pinwell.hlp";
  toolkit.ErrorQuery(toolkit::ErrorSlot::Number);  // an earlier error is not help's
  toolkit.HelpShow(helpFile);
  if (toolkit.ErrorQuery(toolkit::ErrorSlot::Number) == 0) return;
  const std::string page = toolkit.HelpDocumentPath(helpFile);
  std::error_code error;
  const bool present = !page.empty() && std::filesystem::exists(conversion::PathOf(page), error);
  const std::size_t dot = page.rfind('.');
  const std::string message =
      !present ? "The help cannot be shown: " + (page.empty() ? std::string(helpFile) : page) + " is missing."
               : "The help cannot be shown: Windows has no program that opens " +
                     (dot == std::string::npos ? std::string("such") : page.substr(dot)) + " files (" + page + ").";
  toolkit.MessageBoxShow(toolkit::Buttons::Ok, toolkit::Icon::Exclamation, 1, message, "Pinwell Help");
}

}  // namespace

void AboutBox(Toolkit& toolkit) {
  // The text runs on from "2003." to "Written": the field's word wrap lays
  // it out.
  const text::FixedText<512> about(
      "Pinwell log to pushpin converter. Version 1.0, 2003.Written for TomTom Navigator track logs.");
  toolkit.DialogLoad(AboutDialog);
  toolkit.DialogPutText(AboutTextField, about.View());
  toolkit.DialogShowModal(toolkit::Centred, toolkit::Centred, toolkit::NoFocusField, toolkit::DialogMode::Modal);
  toolkit.DialogUnload();
}

void DispatchCommand(Toolkit& toolkit, int command, bool& exitRequested) {
  switch (command) {
    case CommandOpen: OpenLogCommand(toolkit); break;
    case CommandSave: ConvertLog(toolkit, SaveMode); break;
    case CommandSaveAs: ConvertLog(toolkit, SaveAsMode); break;
    case CommandExit:
    case CommandExitButton:
      toolkit.HelpShow(" ");
      exitRequested = true;
      break;
    case CommandAbout: AboutBox(toolkit); break;
    case CommandHelp: ShowHelp(toolkit); break;
    case CommandResolution1: ChooseResolution(toolkit, Resolutions[0]); break;
    case CommandResolution5: ChooseResolution(toolkit, Resolutions[1]); break;
    case CommandResolution10: ChooseResolution(toolkit, Resolutions[2]); break;
    case CommandEnglishNumbers:
      ChooseNumberStyle(toolkit, conversion::NumberStyle::English, EnglishNumbersText);
      break;
    case CommandContinentalNumbers:
      ChooseNumberStyle(toolkit, conversion::NumberStyle::Continental, " Output format: Continental style numbers");
      break;
    case CommandFixesOnly: Toggle(toolkit, Application.FixesOnly, CommandFixesOnly); break;
    case CommandLocalTime: Toggle(toolkit, Application.LocalTime, CommandLocalTime); break;
    default: break;
  }
}

}  // namespace shell
