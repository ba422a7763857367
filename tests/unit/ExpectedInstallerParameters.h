// What the installer's parameters hold whatever the case, for the tests that build its command with
// the temporary directory C:\Temp and the time stamp 2024-03-05T14-07-09: the setup program's
// switches before the language, then, after the launchpad's arguments, the installer's log property
// and the constant property.
#pragma once

#define LOGS_SETUP    L"/i /debuglog\"C:\\Temp\\Veltov93_Install_IS2024-03-05T14-07-09.log\" "
#define LOG_INSTALLER L"/lmicrowaveup \\\"C:\\Temp\\Veltov93_Install_2024-03-05T14-07-09.log\\\" "
#define CONSTANT      L"ZUTCHECKPRODUCTPREREQS=\\\"\\\" "
