#pragma once

#include <string>
#include <string_view>

namespace kw {

class Ui;

// Outcomes of saving the plane as a picture. The numbers and their English
// texts are the ones the program has always shown in its "GDI Error" box.
enum SaveStatus : int {
    kStatusOk = 0,
    kGenericError = 1,
    kInvalidParameter = 2,
    kOutOfMemory = 3,
    kNotImplemented = 6,
    kWin32Error = 7,
    kFileNotFound = 10,
    kAccessDenied = 12,
    kUnknownImageFormat = 13,
};

inline constexpr std::string_view kGdiErrorTitle = "GDI Error";
inline constexpr std::string_view kEncoderErrorTitle = "Encoder Error";
inline constexpr std::string_view kNoEncoderMessage = "Konnte keinen passenden Encoder ermitteln.";

// "Out Of Memory." for 3; "Unknown GDI+ Error." for numbers without a text.
std::string_view statusText(int status);

// "Out Of Memory. GDI+ Error:3".
std::string statusMessage(int status);

// A status of 0 passes silently; any other is shown (title "GDI Error").
// Returns the status unchanged.
int statusCheck(Ui& ui, int status);

}  // namespace kw
