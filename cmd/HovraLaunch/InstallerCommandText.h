// The text of the command line that starts the product's setup program, from its inputs and the
// catalogue's texts. Standard C++ only, so that it also builds natively for the fuzz tests
// (fuzz/); InstallerCommandLine loads the texts and reads the clock and the environment.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

struct InstallerLaunchInputs
{
    std::wstring strMediaRoot;
    std::wstring strTempDirectory;   // where both logs go
    std::wstring strTimestamp;       // see MakeLogTimestamp
    std::int32_t nLanguageId = -1;   // the chosen installation language, or -1
    std::int32_t nNetworkAnswer = 0; // kNetworkAnswerYes, kNetworkAnswerNo, anything else: don't know
    std::wstring strCommandTail;     // the launchpad's own arguments
};

// The catalogue's texts the names of the logs are made of.
struct InstallerLogTexts
{
    std::wstring strPrefix; // both log names start with it
    std::wstring strExtension;
};

struct InstallerCommand
{
    std::wstring strProgram;
    std::wstring strParameters;
};

// The program is media root\MSI\setup.exe; its parameters are
//   /i /debuglog"<temp>\<prefix>IS<timestamp><extension>" [/L<language> ]/v"<properties>"
// with the /L switch only for a language of 0 or more. The properties are, each followed by a
// space: the command tail (unless it is empty or exactly INSTALL),
// /lmicrowaveup "<temp>\<prefix><timestamp><extension>", ZUTCHECKPRODUCTPREREQS="",
// ZUTNCSEC=<2 for yes, 1 for no, else 0> and ZUTSHOWWELCOME=0; in them each run of backslashes
// right before a double quote is doubled and a backslash is put before every double quote, so that
// Windows' command-line rules read the list back exactly as one argument.
InstallerCommand BuildInstallerCommand(const InstallerLaunchInputs& inputs, const InstallerLogTexts& texts);

// media root\MSI\<package>: the package whose presence shows that the right media is in place.
std::wstring InstallerPackagePath(const std::wstring& strMediaRoot, const std::wstring& strPackageName);

// "YYYY-MM-DDTHH-MM-SS" of a local time.
std::wstring MakeLogTimestamp(const std::tm& localTime);

// The directory for the logs: TEMP when it is usable, else TMP when it is, else the Temp folder of
// the Windows directory. Usable is a full path, a drive's (C:\...) or a share's (\\...), shorter
// than 256 characters; a relative one would put the logs beside the setup program, on the media.
// A variable that is not set is given as an empty text. A usable variable is taken as it is.
std::wstring ChooseLogDirectory(const std::wstring& strTemp, const std::wstring& strTmp,
                                const std::wstring& strWindowsDirectory);
