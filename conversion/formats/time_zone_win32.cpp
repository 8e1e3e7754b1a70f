#include <windows.h>

#include <cstdint>
#include <string>

#include "conversion/formats/time_zone.hpp"

namespace conversion {

namespace {

// The C interface of the ICU that Windows 10 carries from version 1903 on
// (icu.dll), with the time-zone database; loaded by name, since older
// Windows, and Wine, have none.
using UErrorCode = int;
using UCalendar = void;
using OpenCalendar = UCalendar*(__cdecl*)(const wchar_t* zone, std::int32_t length, const char* locale, int type,
                                           UErrorCode* status);
using SetMillis = void(__cdecl*)(UCalendar* calendar, double milliseconds, UErrorCode* status);
using GetField = std::int32_t(__cdecl*)(const UCalendar* calendar, int field, UErrorCode* status);
using CanonicalZone = std::int32_t(__cdecl*)(const wchar_t* zone, std::int32_t length, wchar_t* result,
                                              std::int32_t capacity, std::int8_t* isSystemZone, UErrorCode* status);
constexpr int GregorianCalendar = 1;
constexpr int ZoneOffsetField = 15;
constexpr int SummerOffsetField = 16;

struct Icu {
  OpenCalendar Open = nullptr;
  SetMillis Set = nullptr;
  GetField Get = nullptr;
  CanonicalZone Canonical = nullptr;
};

const Icu* SystemIcu() {
  static const Icu icu = [] {
    Icu found;
    const HMODULE module = LoadLibraryExW(L"icu.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return found;
    found.Open = reinterpret_cast<OpenCalendar>(reinterpret_cast<void*>(GetProcAddress(module, "ucal_open")));
    found.Set = reinterpret_cast<SetMillis>(reinterpret_cast<void*>(GetProcAddress(module, "ucal_setMillis")));
    found.Get = reinterpret_cast<GetField>(reinterpret_cast<void*>(GetProcAddress(module, "ucal_get")));
    found.Canonical = reinterpret_cast<CanonicalZone>(
        reinterpret_cast<void*>(GetProcAddress(module, "ucal_getCanonicalTimeZoneID")));
    return found;
  }();
  return icu.Open && icu.Set && icu.Get && icu.Canonical ? &icu : nullptr;
}

std::wstring Wide(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  char text[256];
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return length > 1 ? std::string(text, static_cast<std::size_t>(length - 1)) : std::string();
}

constexpr long long FileTimeEpoch = 11644473600LL;  // seconds from 1601-01-01 to 1970-01-01
constexpr long long TicksPerSecond = 10000000;

}  // namespace

// Either the machine's own zone, as Windows keeps its rules year by year,
// or a zone of ICU's database.
struct ZoneRules {
  bool Local = false;
  DYNAMIC_TIME_ZONE_INFORMATION Dynamic{};
  std::wstring IcuZone;
};

std::optional<FoundRules> LoadZoneRules(std::string_view name, std::string& reason) {
  auto rules = std::make_shared<ZoneRules>();
  FoundRules found;
  if (name == "local") {
    rules->Local = true;
    if (GetDynamicTimeZoneInformation(&rules->Dynamic) == TIME_ZONE_ID_INVALID) {
      reason = "Windows does not say which zone this machine is in";
      return std::nullopt;
    }
    const std::string key = Utf8(rules->Dynamic.TimeZoneKeyName);
    found.ShownName = key.empty() ? "local" : "local (" + key + ")";
    found.Rules = std::move(rules);
    return found;
  }
  const Icu* icu = SystemIcu();
  if (icu == nullptr) {
    reason = "this Windows has no time-zone database for named zones (Windows 10 version 1903 and later have "
             "one); use local or an offset such as +01:00";
    return std::nullopt;
  }
  rules->IcuZone = Wide(name);
  wchar_t canonical[128];
  std::int8_t system = 0;
  UErrorCode status = 0;
  icu->Canonical(rules->IcuZone.c_str(), static_cast<std::int32_t>(rules->IcuZone.size()), canonical, 128, &system,
                 &status);
  if (status > 0 || !system) {
    reason = "Windows' time-zone database has no such zone; use a name such as Europe/Berlin, local, or an offset "
             "such as +01:00";
    return std::nullopt;
  }
  found.ShownName = name;
  found.Rules = std::move(rules);
  return found;
}

int RulesOffsetAt(const ZoneRules& rules, long long utcSeconds) {
  if (!rules.Local) {
    // A calendar is no light thing to make, and must not be shared between threads.
    thread_local std::wstring zone;
    thread_local UCalendar* calendar = nullptr;
    const Icu& icu = *SystemIcu();
    UErrorCode status = 0;
    if (calendar == nullptr || zone != rules.IcuZone) {
      calendar = icu.Open(rules.IcuZone.c_str(), static_cast<std::int32_t>(rules.IcuZone.size()), "",
                          GregorianCalendar, &status);
      zone = rules.IcuZone;
    }
    if (calendar == nullptr || status > 0) return 0;
    icu.Set(calendar, static_cast<double>(utcSeconds) * 1000, &status);
    const int offset = icu.Get(calendar, ZoneOffsetField, &status) + icu.Get(calendar, SummerOffsetField, &status);
    return status > 0 ? 0 : offset / 1000;
  }
  const long long ticks = (utcSeconds + FileTimeEpoch) * TicksPerSecond;
  FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utcTime;
  if (ticks < 0 || !FileTimeToSystemTime(&utc, &utcTime)) return -static_cast<int>(rules.Dynamic.Bias) * 60;
  // Windows keeps a zone's rules by year: the year's own, not today's.
  thread_local std::wstring zone;
  thread_local WORD year = 0;
  thread_local TIME_ZONE_INFORMATION yearRules{};
  if (zone != rules.Dynamic.TimeZoneKeyName || year != utcTime.wYear) {
    DYNAMIC_TIME_ZONE_INFORMATION dynamic = rules.Dynamic;
    if (!GetTimeZoneInformationForYear(utcTime.wYear, &dynamic, &yearRules)) {
      yearRules = {};
      yearRules.Bias = rules.Dynamic.Bias;
    }
    zone = rules.Dynamic.TimeZoneKeyName;
    year = utcTime.wYear;
  }
  SYSTEMTIME localTime;
  FILETIME local;
  if (!SystemTimeToTzSpecificLocalTime(&yearRules, &utcTime, &localTime) || !SystemTimeToFileTime(&localTime, &local))
    return -static_cast<int>(yearRules.Bias) * 60;
  const long long localTicks = (static_cast<long long>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
  return static_cast<int>((localTicks - ticks) / TicksPerSecond);
}

}  // namespace conversion
