#include "book/typography.hpp"

#include <algorithm>
#include <cctype>
#include <span>

namespace typography {
namespace {

// What opens a spoken line: a dash (the original's console writes a hyphen
// and a space for one) or an opening quotation mark, as each language writes
// it: « », „ “, “ ”, " ", 「 」, 『 』.
constexpr std::string_view speech_openings[] = {"- ", "—", "«", "„", "“", "\"", "「", "『"};
// What may follow the end of a sentence: a closing quotation mark, and the
// no-break spaces set inside guillemets and before a question mark (« Où ? »).
constexpr std::string_view after_sentence_end[] = {"»", "“", "”", "\"", "」", "』", "\u00A0", "\u202F"};
constexpr std::string_view sentence_ends[] = {".", "?", "!", "…", "。", "？", "！"};
constexpr std::string_view colons[] = {":", "："};

bool starts_with_any(std::string_view text, std::span<const std::string_view> marks) {
  return std::any_of(marks.begin(), marks.end(), [&](std::string_view mark) { return text.starts_with(mark); });
}

bool ends_with_any(std::string_view text, std::span<const std::string_view> marks) {
  return std::any_of(marks.begin(), marks.end(), [&](std::string_view mark) { return text.ends_with(mark); });
}

// A sentence may end inside its quotation marks ("… going?”", "« Où ? »").
bool ends_sentence(std::string_view text) {
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (std::string_view mark : after_sentence_end) {
      if (!text.ends_with(mark)) continue;
      text.remove_suffix(mark.size());
      stripped = true;
    }
  }
  return ends_with_any(text, sentence_ends);
}

// A spoken line opens after the end of a sentence or a colon, or first: a
// quotation mark within a sentence may open a line, wrapped there.
bool opens_speech(std::string_view line, const std::vector<std::string>& before) {
  return starts_with_any(line, speech_openings) &&
         (before.empty() || ends_sentence(before.back()) || ends_with_any(before.back(), colons));
}

// East Asian Width's Wide and Fullwidth characters, emoji aside: the
// Hangul, CJK and kana blocks, with their punctuation and full-width forms.
bool wide(char32_t c) {
  constexpr char32_t ranges[][2] = {
      {0x1100, 0x115F},   {0x2E80, 0x303E}, {0x3041, 0x3247}, {0x3250, 0x4DBF},
      {0x4E00, 0xA4CF},   {0xA960, 0xA97F}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
      {0xFE10, 0xFE19},   {0xFE30, 0xFE6F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6},
      {0x20000, 0x3FFFD},
  };
  return std::any_of(std::begin(ranges), std::end(ranges),
                     [c](const char32_t(&range)[2]) { return c >= range[0] && c <= range[1]; });
}

// The character that a UTF-8 text's bytes from `at` encode.
char32_t decoded(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const std::size_t length = byte(at) < 0xC0 ? 1 : byte(at) < 0xE0 ? 2 : byte(at) < 0xF0 ? 3 : 4;
  char32_t c = byte(at) & (0x7F >> length);
  for (std::size_t i = at + 1; i < at + length && i < text.size(); ++i) c = (c << 6) | (byte(i) & 0x3F);
  return length == 1 ? byte(at) : c;
}

bool starts_wide(std::string_view text) {
  return !text.empty() && wide(decoded(text, 0));
}

bool ends_wide(std::string_view text) {
  std::size_t at = text.size();
  while (at > 0 && (static_cast<unsigned char>(text[--at]) & 0xC0) == 0x80) {
  }
  return !text.empty() && wide(decoded(text, at));
}

bool in_word(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

std::vector<std::string> paragraphs(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  bool spoken = false;
  for (const std::string& line : lines) {
    const bool speaks = opens_speech(line, out);
    if (out.empty() || speaks || (spoken && ends_sentence(out.back()))) {
      out.push_back(line);
      spoken = speaks;
      continue;
    }
    if (!ends_wide(out.back()) && !starts_wide(line)) out.back() += ' ';
    out.back() += line;
  }
  return out;
}

// A raya opens the spoken line and another the narrator's words inside it
// ("- ¿Y qué? -te dice." reads "—¿Y qué? —te dice."); a third closes those
// words where the speech goes on ("-dice-. Nada" reads "—dice—. Nada"), and
// none where they end the paragraph. A hyphen within a word stays a hyphen.
std::string with_rayas(std::string_view text) {
  if (!text.starts_with("- ")) return std::string(text);
  std::string out = "—";
  bool incise = false;
  for (std::size_t i = 2; i < text.size(); ++i) {
    const bool hyphen = text[i] == '-';
    const bool opens =
        hyphen && !incise && text[i - 1] == ' ' && i + 1 < text.size() && text[i + 1] != ' ';
    const bool closes =
        hyphen && incise && text[i - 1] != ' ' && (i + 1 == text.size() || !in_word(text[i + 1]));
    if (opens || closes) {
      out += "—";
      incise = opens;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A quote opens at the start or after a space (“ ‘) and closes elsewhere
// (” ’), so that every apostrophe is a closing one ("can't" reads "can’t",
// "l'homme" "l’homme"); a hyphen between spaces is an em dash, closed up
// ("now - or" reads "now—or").
std::string with_print_marks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool opens = i == 0 || text[i - 1] == ' ';
    if (text[i] == '"') {
      out += opens ? "“" : "”";
    } else if (text[i] == '\'') {
      out += opens ? "‘" : "’";
    } else if (text.compare(i, 3, " - ") == 0) {
      out += "—";
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace typography
