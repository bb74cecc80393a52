// Turns a language's PO file into the C++ header that a translated edition
// is compiled with: one X-macro entry per message, its place in the PO file,
// its Spanish text, its translation and whether it is marked fuzzy. The
// compiler, not this tool, judges the translation (story/text.hpp,
// story/story.cpp): this one only reads the file, and stops at what is not a
// PO file, naming the line.
//
// Usage: po_header PO_FILE NAME_SHOWN OUTPUT_HEADER
//
// PO strings are written with C's escapes, so each one goes into the header
// as it stands in the file, quotes and all.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Message {
  std::size_t line = 0;
  std::string source;      // C string literals, as in the PO file
  std::string translated;  // the same
  bool fuzzy = false;
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
    if (text.starts_with("#,")) {
      finish();
      fuzzy_ = text.find("fuzzy") != std::string_view::npos;
      return;
    }
    if (text.starts_with('#')) return finish();
    if (text.starts_with("msgctxt") || text.starts_with("msgid_plural") || text.starts_with("msgstr[")) {
      fail(shown_, line_, "the game's texts take no context and no plural forms");
    }
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
    if (field_ == &source_) fail(shown_, line_, "msgid without its msgstr");
    if (field_ == &translated_ && source_ != "\"\"") {
      messages_.push_back({first_line_, source_, translated_, fuzzy_});
    }
    field_ = nullptr;
    fuzzy_ = false;
  }

  [[nodiscard]] const std::vector<Message>& messages() const { return messages_; }

 private:
  void start(std::string_view rest, std::string& field) {
    if (!is_quoted(rest)) fail(shown_, line_, "a quoted string must follow");
    if (&field == &source_) {
      if (field_ != nullptr) finish();
      first_line_ = line_;
      translated_.clear();
    }
    field = rest;
    field_ = &field;
  }

  std::string_view shown_;
  std::size_t line_ = 0;
  std::size_t first_line_ = 0;
  std::string source_;
  std::string translated_;
  std::string* field_ = nullptr;
  bool fuzzy_ = false;
  std::vector<Message> messages_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: po_header PO_FILE NAME_SHOWN OUTPUT_HEADER\n");
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
    header << "  X(\"" << argv[2] << ':' << m.line << "\", " << m.source << ", " << m.translated << ", "
           << (m.fuzzy ? "true" : "false") << ") \\\n";
  }
  header << "\n";
  if (!header.flush()) fail(argv[3], 0, "cannot be written");
  return 0;
}
