// Wrapping of a one-line title into lines for the message box.
#ifndef SCRAPDECK_CORE_FMTSTRING_H
#define SCRAPDECK_CORE_FMTSTRING_H

// Separators the prompt breaks titles at, in order of preference.
extern const char default_separator_list[];

// Writes source into destination as lines of at most lineLength characters, each
// but the last ended by '\n'. A line breaks after the first separator (in list
// order) found at or after splitStart, scanning from the line's end; a line without
// one is cut after lineLength - 1 characters and hyphenated. lineLength below 1
// counts as 1, a negative splitStart as lineLength / 2. The result, NUL included,
// never exceeds destinationSize bytes; text that does not fit is cut at its end.
// A null or empty source gives an empty text; nothing is written when destination
// is null or destinationSize is below 1. Returns destination.
char* fmtstring(char* destination, int destinationSize, const char* source, int lineLength,
                int splitStart, const char* separators);

#endif
