#include "plane/save_status.h"

#include <array>

#include "core/ui.h"

namespace kw {

namespace {

constexpr std::array<std::string_view, 21> kTexts{
    "",
    "Generic Error.",
    "Invalid Parameter.",
    "Out Of Memory.",
    "Object Busy.",
    "Insufficient Buffer.",
    "Not Implemented.",
    "Win32 Error.",
    "Wrong State.",
    "Aborted.",
    "File Not Found.",
    "Value Overflow.",
    "Access Denied.",
    "Unknown Image Format.",
    "FontFamily Not Found.",
    "FontStyle Not Found.",
    "Not TrueType Font.",
    "Unsupported Gdiplus Version.",
    "Gdiplus Not Initialized.",
    "Property Not Found.",
    "Property Not Supported.",
};

}  // namespace

std::string_view statusText(int status)
{
    if (status >= 1 && status < int(kTexts.size()))
        return kTexts[std::size_t(status)];
    return "Unknown GDI+ Error.";
}

std::string statusMessage(int status)
{
    return std::string(statusText(status)) + " GDI+ Error:" + std::to_string(status);
}

int statusCheck(Ui& ui, int status)
{
    if (status != kStatusOk)
        ui.message(statusMessage(status), kGdiErrorTitle);
    return status;
}

}  // namespace kw
