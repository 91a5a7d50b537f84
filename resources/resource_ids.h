// Identifiers of the plug-in's resources and of the controls on its dialogs.
// Included by Stats.rc and by the C++ code, so it holds #defines only.
#pragma once

// Labels that the code never addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- Resources --------------------------------------------------------------
#define IDD_CABRILLO 101  // the Cabrillo header editor
#define IDI_STATS 113     // the plug-in's icon

// Initial data of a dialog (combo-box lists), stored under the dialog's id;
// the dialog layer reads it (kDialogInitResourceType, platform/win32/dialog.h).
#define RT_STATS_DLGINIT 240

// ---- Controls of IDD_CABRILLO -------------------------------------------------
#define IDC_CABRILLO_SOAPBOX 1001
#define IDC_CABRILLO_ADDRESS 1002
#define IDC_CABRILLO_ADDRESS_CITY 1003
#define IDC_CABRILLO_EMAIL 1004
#define IDC_CABRILLO_CLUB 1005
#define IDC_CABRILLO_OPERATORS 1006
#define IDC_CABRILLO_NAME 1007
#define IDC_CABRILLO_CLAIMED 1008
#define IDC_CABRILLO_CONTEST 1009
#define IDC_CABRILLO_CALLSIGN 1010
#define IDC_CABRILLO_CATEGORY_OPERATOR 1012
#define IDC_CABRILLO_CATEGORY_BAND 1013
#define IDC_CABRILLO_ADDRESS_COUNTRY 1014
#define IDC_CABRILLO_CATEGORY_MODE 1017
#define IDC_CABRILLO_CATEGORY_POWER 1018
#define IDC_CABRILLO_CATEGORY_TRANSMITTER 1019
#define IDC_CABRILLO_CATEGORY_OVERLAY 1020
#define IDC_CABRILLO_ADDRESS_POSTALCODE 1021
