#include "book/typography.hpp"

#include <algorithm>
#include <cctype>
#include <span>

#include "story/text.hpp"

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

// A character two columns wide on a terminal, as the story's lines are
// counted: Han, kana and Hangul, which put no space between words.
bool wide(char32_t c) {
  return text::columns_of(c) == 2;
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

std::string joined(std::string_view before, std::string_view after) {
  std::string out(before);
  if (!ends_wide(before) && !starts_wide(after)) out += ' ';
  return out.append(after);
}

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
    out.back() = joined(out.back(), line);
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
