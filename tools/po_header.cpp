// Turns a language's PO file into the C++ header that a translated edition
// is compiled with: one X-macro entry per message, its place in the PO file,
// its Spanish text, its translation and whether it is marked fuzzy. The
// compiler, not this tool, judges the translation (story/text.hpp,
// story/story.cpp): this one only reads the file, and stops at what is not a
// PO file, naming the line.
//
// The story's messages, TRAMONTALIA_TRANSLATION_ENTRIES, are those the
// template's writer (tools/pot.cpp) found in the story: no context, and a
// place in the story among their references ("flood/option/2", never a
// file's "web/main.js:12"), or no reference at all, which the story then
// refuses as a text it no longer has. The others, the words of the page, the
// book or the menu entry, go to TRAMONTALIA_OTHER_ENTRIES(X), with their
// context: X(place, context, Spanish text, translation, marked fuzzy).
//
// Usage: po_header PO_FILE NAME_SHOWN OUTPUT_HEADER [OUTPUT_JSON]
//
// PO strings are written with C's escapes, so each one goes into the header
// as it stands in the file, quotes and all. OUTPUT_JSON, for the page's
// build, holds every message as a tool reads it, without C: an array of
// {place, context, source, translation, fuzzy}, the texts decoded.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Message {
  std::size_t line = 0;
  std::string context;     // C string literals, as in the PO file
  std::string source;      // the same
  std::string translated;  // the same
  bool fuzzy = false;
  bool story = true;
};

[[noreturn]] void fail(std::string_view where, std::size_t line, std::string_view what) {
  std::fprintf(stderr, "%.*s:%zu: %.*s\n", static_cast<int>(where.size()), where.data(), line,
               static_cast<int>(what.size()), what.data());
  std::exit(1);
}

// One quoted string, with nothing after it.
bool is_quoted(std::string_view text) {
  if (text.size() < 2 || text.front() != '"') return false;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '"') {
      return i + 1 == text.size();
    }
  }
  return false;
}

class Reader {
 public:
  explicit Reader(std::string_view shown) : shown_(shown) {}

  void line(std::string_view text) {
    ++line_;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (text.empty()) return finish();
    if (text.starts_with("#~")) return;  // an obsolete message, kept for translators only
    if (text.starts_with('#')) {
      if (field_ != nullptr) finish();
      if (text.starts_with("#,")) fuzzy_ = fuzzy_ || text.find("fuzzy") != std::string_view::npos;
      if (text.starts_with("#:")) note_places(text.substr(2));
      return;
    }
    if (text.starts_with("msgid_plural") || text.starts_with("msgstr[")) {
      fail(shown_, line_, "the game's texts take no plural forms");
    }
    if (text.starts_with("msgctxt ")) return start(text.substr(8), context_);
    if (text.starts_with("msgid ")) return start(text.substr(6), source_);
    if (text.starts_with("msgstr ")) {
      if (field_ != &source_) fail(shown_, line_, "msgstr without its msgid");
      return start(text.substr(7), translated_);
    }
    if (field_ == nullptr || !is_quoted(text)) fail(shown_, line_, "not a line of a PO file");
    *field_ += ' ';
    *field_ += text;
  }

  void finish() {
    if (field_ == &source_ || field_ == &context_) fail(shown_, line_, "msgid without its msgstr");
    if (field_ == &translated_ && source_ != "\"\"") {
      const bool story = context_.empty() && (in_story_ || !has_places_);
      messages_.push_back({first_line_, context_, source_, translated_, fuzzy_, story});
    }
    field_ = nullptr;
    fuzzy_ = false;
    in_story_ = false;
    has_places_ = false;
    context_.clear();
  }

  [[nodiscard]] const std::vector<Message>& messages() const { return messages_; }

 private:
  void start(std::string_view rest, std::string& field) {
    if (!is_quoted(rest)) fail(shown_, line_, "a quoted string must follow");
    if (&field == &context_ || (&field == &source_ && field_ != &context_)) {
      if (field_ != nullptr) finish();
      first_line_ = line_;
    }
    if (&field == &source_) translated_.clear();
    field = rest;
    field_ = &field;
  }

  // A reference is a place in the story ("flood/option/2") or a file's line.
  void note_places(std::string_view references) {
    std::size_t at = 0;
    while ((at = references.find_first_not_of(' ', at)) != std::string_view::npos) {
      const std::size_t end = std::min(references.find(' ', at), references.size());
      has_places_ = true;
      in_story_ = in_story_ || references.substr(at, end - at).find(':') == std::string_view::npos;
      at = end;
    }
  }

  std::string_view shown_;
  std::size_t line_ = 0;
  std::size_t first_line_ = 0;
  std::string context_;
  std::string source_;
  std::string translated_;
  std::string* field_ = nullptr;
  bool fuzzy_ = false;
  bool in_story_ = false;
  bool has_places_ = false;
  std::vector<Message> messages_;
};

// The text that C string literals, one after the other, stand for, as a
// JSON string: a PO file's escapes are C's (\n, \t, \", \\).
std::string json_text(std::string_view literals) {
  std::string json = "\"";
  bool inside = false;
  for (std::size_t i = 0; i < literals.size(); ++i) {
    char c = literals[i];
    if (!inside) {
      inside = c == '"';
      continue;
    }
    if (c == '"') {
      inside = false;
      continue;
    }
    if (c == '\\' && i + 1 < literals.size()) {
      c = literals[++i];
      if (c == 'n') c = '\n';
      if (c == 't') c = '\t';
      if (c == 'r') c = '\r';
    }
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + '"';
}

void write_json(const std::vector<Message>& messages, std::string_view shown, const char* path) {
  std::ofstream json(path);
  if (!json) fail(path, 0, "cannot be written");
  const char* separator = "[\n";
  for (const Message& m : messages) {
    json << separator << "{\"place\": " << json_text('"' + std::string(shown) + ':' + std::to_string(m.line) + '"')
         << ", \"context\": " << json_text(m.context) << ", \"source\": " << json_text(m.source)
         << ", \"translation\": " << json_text(m.translated)
         << ", \"fuzzy\": " << (m.fuzzy ? "true" : "false") << "}";
    separator = ",\n";
  }
  json << (messages.empty() ? "[]\n" : "\n]\n");
  if (!json.flush()) fail(path, 0, "cannot be written");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: po_header PO_FILE NAME_SHOWN OUTPUT_HEADER [OUTPUT_JSON]\n");
    return 2;
  }
  std::ifstream po(argv[1]);
  if (!po) fail(argv[2], 0, "cannot be read");
  Reader reader(argv[2]);
  for (std::string text; std::getline(po, text);) reader.line(text);
  reader.finish();

  std::ofstream header(argv[3]);
  if (!header) fail(argv[3], 0, "cannot be written");
  header << "// Made by tools/po_header from " << argv[2] << ": edit that file, not this one.\n"
         << "// X(place, Spanish text, translation, marked fuzzy)\n"
         << "#define TRAMONTALIA_TRANSLATION_ENTRIES(X) \\\n";
  for (const Message& m : reader.messages()) {
    if (!m.story) continue;
    header << "  X(\"" << argv[2] << ':' << m.line << "\", " << m.source << ", " << m.translated
           << ", " << (m.fuzzy ? "true" : "false") << ") \\\n";
  }
  header << "\n// X(place, context, Spanish text, translation, marked fuzzy)\n"
         << "#define TRAMONTALIA_OTHER_ENTRIES(X) \\\n";
  for (const Message& m : reader.messages()) {
    if (m.story) continue;
    header << "  X(\"" << argv[2] << ':' << m.line << "\", "
           << (m.context.empty() ? "\"\"" : m.context) << ", " << m.source << ", " << m.translated
           << ", " << (m.fuzzy ? "true" : "false") << ") \\\n";
  }
  header << "\n";
  if (!header.flush()) fail(argv[3], 0, "cannot be written");
  if (argc == 5) write_json(reader.messages(), argv[2], argv[4]);
  return 0;
}
