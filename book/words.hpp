// The book's own words, those around the story (its title page's, its
// navigation's, "Fin"), written in Spanish as BOOK_WORDS("...") in book/*.cpp,
// where `make pot` finds them for the template, with the context "book"
// (tools/write_pot.sh). A book in another language takes them from its PO
// file at compile time, as the story takes its texts: a word that the PO
// file lacks, leaves untranslated or marks fuzzy stops the build, naming it.
#pragma once

#include <string>
#include <string_view>

#include "story/text.hpp"

namespace book_words {

#ifdef TRAMONTALIA_LANGUAGE
// The book's language, as its package document and its pages name it: its
// BCP 47 tag (pt-BR), which the build gives.
inline constexpr std::string_view language = TRAMONTALIA_LANGUAGE_TAG;
inline constexpr bool original = false;

inline constexpr std::string_view context = "book";

// The PO file's messages other than the story's (tools/po_header).
struct Entry {
  std::string_view place;
  std::string_view context;
  std::string_view source;
  std::string_view translated;
  bool fuzzy;
};

#define TRAMONTALIA_BOOK_ENTRY(place, context, source, translated, fuzzy) \
  {place, context, source, translated, fuzzy},
// The last one empty, so that a PO file with no such message still makes an array.
inline constexpr Entry entries[] = {TRAMONTALIA_OTHER_ENTRIES(TRAMONTALIA_BOOK_ENTRY){}};
#undef TRAMONTALIA_BOOK_ENTRY

// Each of the book's words judged on its own, the message naming its place
// in the PO file.
#define TRAMONTALIA_CHECK_BOOK_ENTRY(place, of_context, source, translated, fuzzy) \
  TRAMONTALIA_CHECK_GIVEN(std::string_view(of_context) == book_words::context, place, translated, fuzzy)
TRAMONTALIA_OTHER_ENTRIES(TRAMONTALIA_CHECK_BOOK_ENTRY)
#undef TRAMONTALIA_CHECK_BOOK_ENTRY

// Never defined: the compiler names it where the book uses words that its PO
// file lacks (`make po` adds them to it).
void book_words_not_in_the_translation();

constexpr const Entry* find(std::string_view spanish) {
  for (const Entry& entry : entries) {
    if (entry.context == context && entry.source == spanish) return &entry;
  }
  return nullptr;
}

consteval std::string_view translated(std::string_view spanish) {
  const Entry* entry = find(spanish);
  if (entry == nullptr) book_words_not_in_the_translation();
  return entry->translated;
}

template <text::Literal Spanish>
inline constexpr std::string_view words = translated(Spanish.view());

// A text that the book reads from a file as it is written (the cover's
// description), put into the book's language: false where the PO file lacks
// it, leaves it untranslated or marks it fuzzy.
inline bool translate(std::string& text) {
  const Entry* entry = find(text);
  if (entry == nullptr || entry->translated.empty() || entry->fuzzy) return false;
  text = entry->translated;
  return true;
}
#else
inline constexpr std::string_view language = "es";
// The story as it is written, in Spanish.
inline constexpr bool original = true;

template <text::Literal Spanish>
inline constexpr std::string_view words = Spanish.view();

inline bool translate(std::string& /*text*/) {
  return true;
}
#endif

}  // namespace book_words

// The book's words in its language.
#define BOOK_WORDS(spanish) std::string(::book_words::words<spanish>)
