// The functions Stats.dll exports, with the host's argument lists.
//
// Every function is exported twice: under the host's decorated name and
// under its plain name (resources/Stats.def gives names and ordinals). All are
// cdecl. Positions the plug-in does not read are named `unusedN` after their
// position. None of them lets an exception reach the host.
#pragma once

#include "platform/date_time.h"

#if defined(_WIN32)
#define STATS_CDECL __cdecl
#else
#define STATS_CDECL
#endif

typedef HostDateTime HostTime;  // the host's date-time object, read by pointer

extern "C" {

unsigned long STATS_CDECL setVersion(const char* hostText);
int STATS_CDECL GetNumberOfSets();
const char* STATS_CDECL GetSetName(int index);
void STATS_CDECL SetupSet0();
int STATS_CDECL IsValidExchg0(const char* exchange, const char* unused2, const char* unused3,
                              const char* unused4, int unused5, int unused6, int unused7);

int STATS_CDECL ResetStats0(const char* hostFolder, int cabrilloExport, const char* ownCall,
                            HostTime* contestStart, HostTime* contestEnd, const char* unused6,
                            const char* unused7, const char* unused8, const char* unused9,
                            const char* unused10, const char* unused11, const char* unused12,
                            const char* unused13, const char* unused14, const char* ownCountry, int unused16,
                            int unused17, int unused18, double unused19, double unused20,
                            const char* unused21, const char* ownContinent, const char* unused23);

int STATS_CDECL AddData0(const char* ownCall, const char* call, HostTime* qsoTime, HostTime* unused4,
                         HostTime* unused5, HostTime* unused6, unsigned unused7, unsigned frequencyHz,
                         const char* mode, const char* rstSent, const char* rstRcvd, const char* nrSent,
                         const char* nrRcvd, const char* unused14, const char* unused15,
                         const char* unused16, const char* unused17, const char* unused18,
                         const char* unused19, const char* unused20, const char* unused21,
                         const char* areaText, const char* country, int unused24, int unused25,
                         int unused26, double unused27, double unused28, const char* unused29,
                         const char* continent, const char* unused31, const char* band,
                         const char* unused33);

int STATS_CDECL RemoveData0(const char* unused1, const char* call, HostTime* qsoTime, HostTime* unused4,
                            HostTime* unused5, HostTime* unused6, unsigned unused7, unsigned unused8,
                            const char* mode, const char* unused10, const char* unused11,
                            const char* unused12, const char* unused13, const char* unused14,
                            const char* unused15, const char* unused16, const char* unused17,
                            const char* unused18, const char* unused19, const char* unused20,
                            const char* unused21, const char* unused22, const char* unused23,
                            int unused24, int unused25, int unused26, double unused27, double unused28,
                            const char* unused29, const char* unused30, const char* unused31,
                            const char* band, const char* unused33);

int STATS_CDECL CheckCall0(const char* call, unsigned unused2, unsigned unused3, const char* mode,
                           const char* unused5, const char* unused6, const char* unused7,
                           const char* unused8, const char* unused9, const char* unused10,
                           const char* unused11, const char* unused12, const char* areaText,
                           const char* country, int unused15, int unused16, int unused17,
                           double unused18, double unused19, const char* unused20,
                           const char* continent, const char* unused22, const char* unused23,
                           const char* unused24, const char* band, const char* compareBand,
                           char* unused27, char* unused28);

const char* STATS_CDECL GetResult0(int* result);

}  // extern "C"
