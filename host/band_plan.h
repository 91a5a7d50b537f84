// Amateur bands as the host names them ("160m", "20m", "70cm", ...), and the
// band names and frequencies found in log files.
#pragma once

#include "platform/text.h"

// The band of a frequency in kHz; empty when it lies outside every band.
// Band edges belong to the band (3500 and 4000 kHz are both "80m").
Text BandFromKhz(double khz);
Text BandFromHz(unsigned hz);

// Our name for a band as a log file writes it: "20m" or "20M" (Cabrillo 3.0,
// ADIF), or the band in MHz as older Cabrillo logs give it instead of a
// frequency ("14", "3.5", "1.8", "50", "1.2G"). Case and surrounding blanks do
// not matter. Empty when the text names no band.
Text NormalizeBand(const Text& band);

// A frequency in kHz on a band given by our name ("20m" -> 14000), for logs
// that give only the band: the band's lower edge (5351 kHz for 60m, whose
// channels differ from country to country). 0 for a text that is not a band.
unsigned NominalKhz(const Text& band);

// Reads a non-negative decimal number such as "14085", "14085.5" or
// "14.0853" given in units of `unitHz` (1000 for kHz, 1000000 for MHz) and
// stores it in whole Hz, rounded. Independent of the C locale: the decimal
// separator is always '.'. False for anything else (signs, exponents,
// thousands separators, empty text) and for values above 4294967295 Hz.
bool ParseFrequencyHz(const Text& text, unsigned unitHz, unsigned& hz);
