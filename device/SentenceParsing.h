#pragma once

// Checksum test of one NMEA 0183 sentence: 0 correct, 1 wrong checksum or a
// text of 3 characters or fewer, 9 no "*" where the checksum must start.
int checkSentenceSum(const char *text);

// strtok-like field splitter: cuts at the first character of delim, returns the
// field with leading spaces skipped (an all-space field is returned as is).
// Pass null to continue after the previous field. The text after the last
// delimiter is never returned. The saved position is kept per thread, so two
// threads may tokenise at the same time; one thread still tokenises one text
// at a time.
char *nextField(char *text, const char *delim);
