// The command line that starts the product's setup program: its switches, the property list it
// hands on to the installer, and the two log-file names in the temporary directory. The text is
// composed in InstallerCommandText; this side gives it the catalogue's texts, the clock and the
// environment.
#pragma once

#include <windows.h>

#include <string>

#include "InstallerCommandText.h"

// BuildInstallerCommand with the texts of the interface language.
InstallerCommand BuildInstallerCommand(const InstallerLaunchInputs& inputs);

// media root\MSI\<package>: the package whose presence shows that the right media is in place.
std::wstring InstallerPackagePath(const std::wstring& strMediaRoot);

// MakeLogTimestamp of now.
std::wstring MakeLogTimestamp();

// The directory for the logs (ChooseLogDirectory) from this process's TEMP and TMP and the
// system's Windows directory.
std::wstring InstallerLogDirectory();
