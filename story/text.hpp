// Story text is written as UTF-8 in the sources and stored in the edition's
// encoding at compile time. This header is the only place that knows the
// encoding: a character the edition cannot hold, or a control character,
// stops the build.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

// Each edition's code lives in a namespace of its own, which the game's
// sources open inline (namespace console::inline TRAMONTALIA_EDITION), so
// that one program can hold several editions (the differential fuzzers) and
// nothing else needs to name it. A translated edition is named by its
// language (TRAMONTALIA_LANGUAGE=en) and writes UTF-8.
#ifdef TRAMONTALIA_LANGUAGE
#define TRAMONTALIA_EDITION TRAMONTALIA_LANGUAGE
#ifndef TRAMONTALIA_UTF8
#define TRAMONTALIA_UTF8
#endif
#elif defined(TRAMONTALIA_UTF8)
#define TRAMONTALIA_EDITION utf8
#else
#define TRAMONTALIA_EDITION iso_8859_1
#endif

namespace text::inline TRAMONTALIA_EDITION {

using Text = std::string_view;

#ifdef TRAMONTALIA_UTF8
inline constexpr bool utf8_edition = true;
inline constexpr Text charset_name = "UTF-8";
#else
inline constexpr bool utf8_edition = false;
inline constexpr Text charset_name = "ISO-8859-1";
#endif

// Whether the edition is a translation: its players may type through an
// input method, where the Spanish editions read the very bytes of the keys.
#ifdef TRAMONTALIA_LANGUAGE
inline constexpr bool translated_edition = true;
#else
inline constexpr bool translated_edition = false;
#endif

// The most bytes a character takes in the edition's encoding.
inline constexpr std::size_t max_character_size = utf8_edition ? 4 : 1;

// Never defined as constexpr: calling one in a constant expression makes the
// compiler print its name, which is the error message.
void story_text_is_not_valid_utf8();
void character_outside_iso_8859_1();
void control_character_in_story_text();

struct CodePoint {
  char32_t value;
  std::size_t length;
};

constexpr CodePoint decode_utf8(Text s, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead >= 0xF5 || at + length > s.size()) story_text_is_not_valid_utf8();
  char32_t value = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) story_text_is_not_valid_utf8();
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  return {value, length};
}

// Newline separates lines inside a page; every other control is refused.
constexpr bool is_printable_or_newline(char32_t c) {
  return c == '\n' || (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0));
}

constexpr std::size_t encoded_size(Text utf8) {
  std::size_t size = 0;
  for (std::size_t at = 0; at < utf8.size(); ++size) {
    const CodePoint cp = decode_utf8(utf8, at);
    if (!is_printable_or_newline(cp.value)) control_character_in_story_text();
    if (!utf8_edition && cp.value > 0xFF) character_outside_iso_8859_1();
    at += cp.length;
  }
  return utf8_edition ? utf8.size() : size;
}

template <std::size_t N>
constexpr std::array<char, N> encode(Text utf8) {
  std::array<char, N> out{};
  std::size_t n = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const CodePoint cp = decode_utf8(utf8, at);
    if (utf8_edition) {
      for (std::size_t i = 0; i < cp.length; ++i) out[n++] = utf8[at + i];
    } else {
      out[n++] = static_cast<char>(cp.value);
    }
    at += cp.length;
  }
  return out;
}

// How many columns a terminal gives a character, as wcwidth counts them:
// combining marks and other characters of no width none, East Asian Wide
// and Fullwidth ones two, every other one. In code point order; a character
// in no range takes one column.
struct ColumnRange {
  char32_t first;
  char32_t last;
  std::size_t columns;
};

inline constexpr ColumnRange column_ranges[] = {
    {0x0300, 0x036F, 0},    // combining diacritical marks
    {0x0483, 0x0489, 0},    // Cyrillic combining marks
    {0x0591, 0x05BD, 0},    // Hebrew points
    {0x0610, 0x061A, 0},    // Arabic marks
    {0x064B, 0x065F, 0},    // Arabic vowel marks
    {0x0670, 0x0670, 0},    // Arabic superscript alef
    {0x1100, 0x115F, 2},    // Hangul leading consonants
    {0x1AB0, 0x1AFF, 0},    // combining diacritical marks, extended
    {0x1DC0, 0x1DFF, 0},    // combining diacritical marks, supplement
    {0x200B, 0x200F, 0},    // zero width space, joiners, direction marks
    {0x202A, 0x202E, 0},    // direction embeddings
    {0x2060, 0x2064, 0},    // word joiner, invisible operators
    {0x20D0, 0x20FF, 0},    // combining marks for symbols
    {0x2329, 0x232A, 2},    // angle brackets
    {0x2E80, 0x3029, 2},    // CJK radicals, ideographic punctuation
    {0x302A, 0x302D, 0},    // ideographic tone marks
    {0x302E, 0x303E, 2},    // the rest of CJK symbols and punctuation
    {0x3041, 0x3098, 2},    // hiragana
    {0x3099, 0x309A, 0},    // combining voiced sound marks
    {0x309B, 0x4DBF, 2},    // kana, bopomofo, Hangul jamo, CJK strokes, extension A
    {0x4E00, 0xA4CF, 2},    // CJK unified ideographs, Yi
    {0xA960, 0xA97F, 2},    // Hangul jamo, extended A
    {0xAC00, 0xD7A3, 2},    // Hangul syllables
    {0xF900, 0xFAFF, 2},    // CJK compatibility ideographs
    {0xFE00, 0xFE0F, 0},    // variation selectors
    {0xFE10, 0xFE19, 2},    // vertical forms
    {0xFE20, 0xFE2F, 0},    // combining half marks
    {0xFE30, 0xFE6F, 2},    // CJK compatibility forms, small form variants
    {0xFEFF, 0xFEFF, 0},    // zero width no-break space
    {0xFF00, 0xFF60, 2},    // full-width forms
    {0xFFE0, 0xFFE6, 2},    // full-width signs
    {0x20000, 0x2FFFD, 2},  // CJK ideographs, extensions B and on
    {0x30000, 0x3FFFD, 2},  // CJK ideographs, extensions G and on
    {0xE0100, 0xE01EF, 0},  // variation selectors, supplement
};

constexpr std::size_t columns_of(char32_t c) {
  for (const ColumnRange& range : column_ranges) {
    if (c < range.first) break;
    if (c <= range.last) return range.columns;
  }
  return 1;
}

// How many columns a text takes on the console, as a terminal counts them.
// In ISO-8859-1, every byte is a character of one column.
constexpr std::size_t width(Text encoded) {
  if (!utf8_edition) return encoded.size();
  std::size_t columns = 0;
  for (std::size_t at = 0; at < encoded.size();) {
    const CodePoint cp = decode_utf8(encoded, at);
    columns += columns_of(cp.value);
    at += cp.length;
  }
  return columns;
}

// Whether a text holds a character two columns wide: East Asian text, whose
// lines break by rules of their own (story/model.hpp).
constexpr bool holds_wide_character(Text encoded) {
  if (!utf8_edition) return false;
  for (std::size_t at = 0; at < encoded.size();) {
    const CodePoint cp = decode_utf8(encoded, at);
    if (columns_of(cp.value) == 2) return true;
    at += cp.length;
  }
  return false;
}

// The first and the last character of a text of the UTF-8 editions, not empty.
constexpr char32_t first_code_point(Text encoded) {
  return decode_utf8(encoded, 0).value;
}
constexpr char32_t last_code_point(Text encoded) {
  std::size_t at = encoded.size() - 1;
  while (at > 0 && (static_cast<unsigned char>(encoded[at]) & 0xC0) == 0x80) --at;
  return decode_utf8(encoded, at).value;
}

// How many characters a text of the edition holds.
constexpr std::size_t character_count(Text encoded) {
  if (!utf8_edition) return encoded.size();
  return static_cast<std::size_t>(std::count_if(encoded.begin(), encoded.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a continuation byte
  }));
}

// How many bytes the character that `bytes` (not empty) starts with takes,
// as what a player types is counted: every byte is a character in
// ISO-8859-1; in UTF-8, a valid sequence is one character, and a byte that
// begins none is one on its own. 0 when `bytes` ends inside a sequence whose
// rest may still come (whether it is valid is known once it has).
constexpr std::size_t character_size(Text bytes) {
  if (!utf8_edition) return 1;
  const unsigned lead = static_cast<unsigned char>(bytes[0]);
  const std::size_t size = lead < 0xC0   ? 1
                           : lead < 0xE0 ? 2
                           : lead < 0xF0 ? 3
                           : lead < 0xF8 ? 4
                                         : 1;
  char32_t value = lead & (0x7Fu >> size);
  for (std::size_t i = 1; i < size; ++i) {
    if (i == bytes.size()) return 0;
    const unsigned next = static_cast<unsigned char>(bytes[i]);
    if ((next & 0xC0) != 0x80) return 1;
    value = (value << 6) | (next & 0x3F);
  }
  // An overlong form, a surrogate or a value past U+10FFFF is no character.
  constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool valid =
      value >= smallest[size] && (value < 0xD800 || value > 0xDFFF) && value <= 0x10FFFF;
  return valid ? size : 1;
}

struct Characters {
  std::size_t size;   // in bytes
  std::size_t count;  // in characters
};

// The longest start of `bytes` that holds at most `count` whole characters
// (see character_size) and ends at its first newline, if it holds one: it
// stops before a character `bytes` may cut short.
constexpr Characters first_characters(Text bytes, std::size_t count) {
  if (!utf8_edition) {
    const std::size_t newline = bytes.substr(0, count).find('\n');
    const std::size_t size = newline == Text::npos ? std::min(bytes.size(), count) : newline + 1;
    return {size, size};
  }
  Characters taken{0, 0};
  while (taken.count < count && taken.size < bytes.size()) {
    const std::size_t size = character_size(bytes.substr(taken.size));
    if (size == 0) break;
    taken.size += size;
    ++taken.count;
    if (bytes[taken.size - 1] == '\n') break;
  }
  return taken;
}

#ifdef TRAMONTALIA_LANGUAGE
namespace translation {

// One entry of a translation: a text of the story and what the edition
// writes in its place, from the language's PO file (tools/po_header).
struct Entry {
  Text source;
  Text translated;
  bool fuzzy = false;
};

void text_has_no_translation();

// The judgement every entry of a translation passes, the story's and the
// book's words alike: given, and not marked fuzzy; the message names the
// entry's place in the PO file. `applies` leaves out the entries another
// judge sees to.
#define TRAMONTALIA_CHECK_GIVEN(applies, where, translated, fuzzy)                                \
  static_assert(!(applies) || !std::string_view(translated).empty(), where ": not translated yet"); \
  static_assert(!(applies) || !(fuzzy), where ": marked fuzzy, so not yet checked by a translator");

}  // namespace translation
}  // namespace text::inline TRAMONTALIA_EDITION

// Defines TRAMONTALIA_TRANSLATION_ENTRIES, the language's whole translation.
#include "translation.hpp"

namespace text::inline TRAMONTALIA_EDITION {
namespace translation {

#define TRAMONTALIA_ENTRY(where, source, translated, fuzzy) {source, translated, fuzzy},
inline constexpr Entry entries[] = {TRAMONTALIA_TRANSLATION_ENTRIES(TRAMONTALIA_ENTRY)};
#undef TRAMONTALIA_ENTRY

constexpr Text of(Text source) {
  for (const Entry& entry : entries) {
    if (entry.source != source) continue;
    // One not translated yet, or marked fuzzy, stands in Spanish until the
    // story refuses it, naming its place in the PO file (story/story.cpp).
    return entry.translated.empty() || entry.fuzzy ? source : entry.translated;
  }
  text_has_no_translation();
  return source;
}

}  // namespace translation
#endif

// A string literal usable as a template argument.
template <std::size_t N>
struct Literal {
  char chars[N]{};
  // Implicit, so that a string literal can stand as a template argument.
  // cppcheck-suppress noExplicitConstructor
  consteval Literal(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) chars[i] = s[i];
  }
  [[nodiscard]] consteval Text view() const { return {chars, N - 1}; }
};

#ifdef TRAMONTALIA_LANGUAGE
// A translated edition's texts are its translation's, looked up by the
// Spanish text the story is written in: the structure stays the tables'
// own, and a text the translation lacks stops the build, naming it.
template <Literal S>
struct Encoded {
  static constexpr Text text = translation::of(S.view());
  static_assert(encoded_size(text) == text.size());
  // In the texts' section, as the original's are (below): the PO file's
  // strings would otherwise lie among the tables.
  [[gnu::section("story_text")]] static constexpr std::array<char, text.size()> bytes =
      encode<text.size()>(text);
};

inline namespace literals {
template <Literal S>
consteval Text operator""_t() {
  return {Encoded<S>::bytes.data(), Encoded<S>::text.size()};
}
}  // namespace literals
#else
template <Literal S>
struct Encoded {
  static constexpr std::size_t size = encoded_size(S.view());
  // All in one section of their own, apart from the tables that point into
  // them: in the page, gzip compresses the module's texts together rather
  // than cut by the tables as the compiler lays them out, 760 bytes fewer.
  [[gnu::section("story_text")]] static constexpr std::array<char, size> bytes =
      encode<size>(S.view());
};

inline namespace literals {
// "texto"_t: the literal in the edition's encoding, in static storage.
template <Literal S>
consteval Text operator""_t() {
  return {Encoded<S>::bytes.data(), Encoded<S>::size};
}
}  // namespace literals
#endif

}  // namespace text::inline TRAMONTALIA_EDITION
