// What the whole-wizard walks read on the adapter page of the machines under e2e/machines, the same
// on every host (headless, Win32): the access point list's rows, column by column.
#pragma once

#include <string>
#include <vector>

using CApRows = std::vector<std::vector<std::string>>;

// xp_wzc_orinoco.json: the ORiNOCO card, then the Mini PCI adapter the service held.
inline const CApRows XP_ORINOCO_AP_ROWS = {
    {"1", "Cafe Guest", "00:0f:66:21:3c:9a", "1", "-71", "", "Clear", "Infra"},
    {"2", "Plenwick-Lab", "00:02:2d:4a:10:01", "6", "-49", "Yes", "WEP", "Infra"}};
inline const CApRows XP_MINI_PCI_AP_ROWS = {
    {"1", "Plenwick-Corp", "00:0f:66:3a:10:01", "6", "-52", "Yes", "WPA2", "Infra"},
    {"2", "Plenwick-Guest", "00:0f:66:3a:20:01", "1", "-63", "", "WPA", "Infra"}};

// vista_two_interfaces.json, the first interface: named access points first (by name), then by SSID;
// the SSID with "|" shows whole.
inline const CApRows VISTA_FIRST_AP_ROWS = {
    {"1", "HomeNet", "00:1b:2f:10:20:30", "6", "-48", "Yes", "WPA2", "Infra"},
    {"2", "Warehouse", "00:40:96:12:34:56", "36", "-83", "", "WEP", "Infra"},
    {"3", "Atrium", "00:1d:7e:c0:ff:ee", "149", "-66", "", "WPA2", "Infra"},
    {"4", "Cafe|Guest", "00:0f:66:aa:01:02", "1", "-71", "", "Clear", "Infra"},
    {"5", "LaptopShare", "02:21:5c:0a:0b:0c", "6", "-58", "", "Clear", "Ad hoc"},
    {"6", "OldOffice", "00:13:10:45:67:89", "11", "-77", "", "WPA", "Infra"}};
