// The language of captions and messages (Russian unless chosen otherwise).
#pragma once

namespace vartesk {

// The numbers are those stored in the settings and the index of a text in its pair.
enum class TLanguage {
    English = 0,
    Russian = 1,
};

TLanguage CurrentLanguage();
bool IsEnglish();
// Reads the stored language; missing, non-integer or unknown values give Russian.
void LoadLanguage();
// Sets the language and stores it; EFileError when it could not be stored (the language
// is set for this run all the same).
void SetLanguage(TLanguage language);
// Sets the language for this run only.
void UseLanguage(TLanguage language);

} // namespace vartesk
