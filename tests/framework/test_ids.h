// Templates, controls and strings of framework_test.exe's own resources.
#pragma once

#define IDD_PROBE 100            // buttons and a combo box for the message-map cases
#define IDD_CONTROLS 101         // a progress bar and a list view bound by DDX_Control
#define IDD_DLGINIT 102          // combo boxes filled from initialisation data
#define IDD_DLGINIT_DAMAGED 103  // initialisation data whose second record runs past the end
#define IDD_MISSING 199          // no such template

#define IDC_BUTTON 1001
#define IDC_COMBO 1002
#define IDC_SHARED 1003     // bound by both the base and the derived probe
#define IDC_BASE_ONLY 1004  // bound by the base probe only
#define IDC_APP_CMD 1005    // bound by the application object only
#define IDC_PROGRESS 1010
#define IDC_LIST 1011
#define IDC_FIRST_BOX 1020
#define IDC_SECOND_BOX 1021
#define IDC_LIST_BOX 1022
#define IDC_NO_ZERO 1023  // gets a record without its terminating zero

#define IDS_NOTICE 200
