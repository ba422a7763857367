// The command line that starts the product's setup program: its switches, the property list it
// hands on to the installer, and the two log-file names in the temporary directory.
#pragma once

#include <windows.h>

#include <ctime>
#include <string>

struct InstallerLaunchInputs
{
    std::wstring strMediaRoot;
    std::wstring strTempDirectory; // where both logs go
    std::wstring strTimestamp;     // see MakeLogTimestamp
    INT32 nLanguageId = -1;        // the chosen installation language, or -1
    INT32 nNetworkAnswer = 0;      // 1101 yes, 1102 no, anything else: don't know
    std::wstring strCommandTail;   // the launchpad's own arguments
};

struct InstallerCommand
{
    std::wstring strProgram;
    std::wstring strParameters;
};

InstallerCommand BuildInstallerCommand(const InstallerLaunchInputs& inputs);

// media root\MSI\<package>: the package whose presence shows that the right media is in place.
std::wstring InstallerPackagePath(const std::wstring& strMediaRoot);

// "YYYY-MM-DDTHH-MM-SS" of a local time; without an argument, of now.
std::wstring MakeLogTimestamp(const std::tm& localTime);
std::wstring MakeLogTimestamp();

// The directory for the logs: the TEMP variable when it holds a usable value (set, shorter than
// 256 characters), else the system's temporary directory without its trailing backslash.
std::wstring InstallerLogDirectory();
