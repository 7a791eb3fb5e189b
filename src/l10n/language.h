// The language of captions and messages: 0 English, 1 Russian (the default).
#pragma once

namespace vartesk {

int LanguageIndex();
bool IsEnglish();
// Reads the stored language; missing, non-integer or unknown values give Russian.
void LoadLanguage();
// Sets the language and stores it; EFileError when it could not be stored (the language
// is set for this run all the same).
void SetLanguage(int index);
// Sets the language for this run only.
void UseLanguage(int index);

} // namespace vartesk
