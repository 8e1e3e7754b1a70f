#pragma once
// The toolkit error numbers raised by this program, by name. Their messages
// are in the table of error_messages.cpp.

namespace toolkit::ErrorNumber {

inline constexpr int FileOpenFailed = 1;
inline constexpr int NumberTooLarge = 4;
inline constexpr int NoSubstring = 10;
inline constexpr int InvalidCharacter = 12;
inline constexpr int OsCommandFailed = 13;
inline constexpr int ReturnBufferTooSmall = 65;

inline constexpr int InvalidMenuItem = 1001;
inline constexpr int MenuResourceNotLoaded = 1002;  // any resource a toolbar is built from, too
inline constexpr int InvalidWindowHandle = 1003;
inline constexpr int CommonDialogFailed = 1004;
inline constexpr int NoDialogLoaded = 1005;
inline constexpr int InvalidFieldIdentifier = 1006;
inline constexpr int DialogResourceNotLoaded = 1007;
inline constexpr int DialogNotSelectable = 1008;
inline constexpr int FieldValueOutOfRange = 1009;
inline constexpr int InvalidDialogMode = 1014;
inline constexpr int RootWindowHidden = 1016;
inline constexpr int HelpViewerFailed = 1030;
inline constexpr int InvalidHelpFileExtension = 1031;

}  // namespace toolkit::ErrorNumber
