// Opens a topic of the compiled help file in the install folder.
#pragma once

#include <string>

// Help topics of the compiled help file.
inline constexpr const char* HELP_TOPIC_DEFAULT = "default";
inline constexpr const char* HELP_TOPIC_TROUBLESHOOT = "Troubleshoot";

// An empty topic opens "default". Shows a message when the help window cannot be opened; does
// nothing when the install folder is not known.
void ShowHelpTopic(const std::string& strTopic);
