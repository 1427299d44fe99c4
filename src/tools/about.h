#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

class Ui;

// Texts of the about window; its caption is "Info zu " and the program's title.
inline constexpr std::string_view kInfoZu = "Info zu ";
inline constexpr std::string_view kVersion = "Version 1.8";
inline constexpr std::string_view kDescription =
    "Dieses Programm habe ich als ein kleines Experiment  angefangen und mit der Zeit immer "
    "weiter erweitert. Es hat mir Spass gemacht daran zu arbeiten und ich hoffe es gefällt "
    "euch auch.";
inline constexpr std::string_view kDisclaimer =
    "Warnung: Das Programm hat ein paar Fehler. Es ist zwar nicht gefährlich für ihren "
    "Computer, aber es kann einen Fehler in der Darstellung bzw. in der Berechnung geben. "
    "Seit also vorsichtig mit den Ergebnissen.";
inline constexpr std::string_view kSysInfoFehlt =
    "Systeminformationen sind momentan nicht verfügbar";

// System-information viewers of the common desktops, the most informative first.
inline constexpr std::array<std::string_view, 6> kSysInfoViewer = {
    "kinfocenter", "hardinfo2", "hardinfo", "gnome-system-monitor", "mate-system-monitor",
    "xfce4-taskmanager",
};

// The first of the viewers that is an executable file in one of the folders of
// path (a PATH value, folders separated by ':'). Only absolute folders count:
// an empty or relative entry would run whatever lies in the current folder.
std::optional<std::string> findSysInfoViewer(std::string_view path);

// Starts the program at the given file without waiting; false if it could not start.
using Starter = std::function<bool(const std::string& program)>;

// "&Systeminfo...": starts the first viewer found on path; if there is none or
// it does not start, shows the message that system information is unavailable.
void StartSysInfo(Ui& ui, std::string_view path, const Starter& start);

}  // namespace kw
