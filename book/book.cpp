// Writes the story as an EPUB 3 gamebook's files, read from the very tables
// the game plays: `make book` adds the stylesheet and the cover and packs
// them into build/book/tramontalia.epub (book/pack_epub.mjs).
//
// Usage: book OUTPUT_DIR IFID RELEASE_DATE LICENSE COVER_SVG
// writes OUTPUT_DIR/mimetype, META-INF/container.xml and EPUB/: the package
// document, the navigation document, the cover's and the title's pages and a
// page for each section, in the language of the story it is built with (its
// own words, book/words.hpp). The licence is LICENSE's, the year and the
// authors the game's banner's, the cover's description its SVG's.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "book/gamebook.hpp"
#include "book/typography.hpp"
#include "book/words.hpp"
#include "story/console_lines.hpp"
#include "story/story.hpp"

namespace {

using gamebook::Section;

struct Book {
  std::string ifid;
  std::string date;  // YYYY-MM-DD
  std::string year;
  std::string authors;
  std::vector<std::string> licence;  // its paragraphs
  std::string cover_description;
  std::vector<Section> sections;
};

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string read_file(const char* path) {
  std::string text;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

bool write_file(const std::filesystem::path& path, const std::string& text) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

// Paragraphs of a plain text: lines joined, blank lines between paragraphs.
std::vector<std::string> text_paragraphs(const std::string& text) {
  std::vector<std::string> paragraphs(1);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    if (line.empty() && !paragraphs.back().empty()) paragraphs.emplace_back();
    if (!line.empty()) paragraphs.back() += (paragraphs.back().empty() ? "" : " ") + line;
    start = end + 1;
  }
  if (paragraphs.back().empty()) paragraphs.pop_back();
  return paragraphs;
}

// The story's words as the book sets them in print: the original's dialogue
// with rayas where its ISO-8859-1 console writes hyphens; a translation's
// with the marks that its language's books use, which its console writes,
// but for the typewriter's that it may write too (straight quotes).
std::string typeset(const std::string& text) {
  return book_words::original ? typography::with_rayas(text) : typography::with_print_marks(text);
}

std::string document(const std::string& title, const std::string& body) {
  const std::string language(book_words::language);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
         "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\""
         " lang=\"" +
         language + "\" xml:lang=\"" + language + "\">\n<head>\n<title>" + escaped(title) +
         "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"book.css\"/>\n</head>\n<body>\n" +
         body + "</body>\n</html>\n";
}

// Appended rather than `"s" + std::to_string(n)`, which GCC 12 warns about
// wrongly (-Wrestrict).
std::string id_of(std::size_t number) {
  std::string id = "s";
  return id += std::to_string(number);
}

std::string file_of(std::size_t number) {
  return id_of(number) + ".xhtml";
}

std::string link(std::size_t number, const std::string& words) {
  return "<a href=\"" + file_of(number) + "\">" + escaped(words) + "</a>";
}

// A link that shows the number, so that a printed copy still plays.
std::string numbered_link(std::size_t number, const std::string& words) {
  return link(number, words + " → " + std::to_string(number));
}

std::string paragraph(const std::string& text, const char* cls = nullptr) {
  return std::string(cls == nullptr ? "<p>" : "<p class=\"" + std::string(cls) + "\">") + text +
         "</p>\n";
}

// A section: its number, the console's text, then the menu's options, each a
// link that shows its section's number, or "Fin", the ending's name and the
// way back to the start.
std::string section_page(std::size_t number, const Section& section) {
  std::string body = "<h1>" + std::to_string(number) + "</h1>\n";
  for (const auto& page : section.pages) {
    for (const std::string& text : typography::paragraphs(page)) body += paragraph(escaped(typeset(text)));
  }
  if (!section.lead.empty()) body += paragraph(escaped(typeset(section.lead)));
  if (!section.choices.empty()) {
    body += "<ul class=\"opciones\">\n";
    for (const gamebook::Choice& choice : section.choices) {
      body += "<li>" + numbered_link(choice.target, typeset(choice.words)) + "</li>\n";
    }
    body += "</ul>\n";
  } else {
    body += paragraph(escaped(BOOK_WORDS("Fin")), "fin") +
            paragraph(escaped(typeset(section.ending)), "final") +
            paragraph(numbered_link(1, BOOK_WORDS("Volver a empezar")), "inicio");
  }
  return document(BOOK_WORDS("Sección") + " " + std::to_string(number), body);
}

std::string title_page(const Book& book) {
  std::string body =
      "<h1 class=\"titulo\">Tramontalia</h1>\n" + paragraph(escaped(book.authors), "autores") +
      paragraph(escaped(
          BOOK_WORDS("Empieza a leer en la sección 1. Al final de cada sección, elige una de las "
                     "opciones y sigue su enlace, o pasa a la sección de su número."))) +
      paragraph(
          escaped(BOOK_WORDS("Se puede copiar y distribuir libremente bajo la licencia MIT:"))) +
      "<div class=\"licencia\" lang=\"en\" xml:lang=\"en\">\n";
  for (const std::string& text : book.licence) body += paragraph(escaped(text));
  return document("Tramontalia", body + "</div>\n");
}

std::string cover_page(const Book& book) {
  return document("Tramontalia",
                  "<img class=\"cubierta\" role=\"doc-cover\" src=\"cover.png\" alt=\"" +
                      escaped(book.cover_description) + "\"/>\n");
}

// The table of contents: the opening and every ending by its name, each in
// the first section that reaches it, in the order of the book as readers
// want it; and the book's landmarks.
std::string navigation(const Book& book) {
  const std::string opening = typeset(std::string(story::passage(story::first_passage).title));
  const std::string contents = BOOK_WORDS("Índice");
  std::string body = "<nav epub:type=\"toc\" role=\"doc-toc\" id=\"toc\">\n<h1>" +
                     escaped(contents) + "</h1>\n<ol>\n<li>" + link(1, opening) +
                     "</li>\n<li><span>" + escaped(BOOK_WORDS("Finales")) + "</span>\n<ol>\n";
  std::vector<bool> listed(story::ending_count);
  for (std::size_t i = 0; i < book.sections.size(); ++i) {
    const Section& section = book.sections[i];
    if (!section.choices.empty() || listed[section.ending_number]) continue;
    listed[section.ending_number] = true;
    body += "<li>" + link(i + 1, typeset(section.ending)) + "</li>\n";
  }
  const auto landmark = [](const char* type, const char* href, const std::string& words) {
    return "<li><a epub:type=\"" + std::string(type) + "\" href=\"" + href + "\">" +
           escaped(words) + "</a></li>\n";
  };
  body += "</ol>\n</li>\n</ol>\n</nav>\n<nav epub:type=\"landmarks\" hidden=\"hidden\">\n<h2>" +
          escaped(BOOK_WORDS("Puntos de referencia")) + "</h2>\n<ol>\n" +
          landmark("cover", "cover.xhtml", BOOK_WORDS("Cubierta")) +
          landmark("titlepage", "title.xhtml", BOOK_WORDS("Portada")) +
          landmark("bodymatter", "s1.xhtml", BOOK_WORDS("Comienzo")) +
          landmark("toc", "nav.xhtml#toc", contents) + "</ol>\n</nav>\n";
  return document(contents, body);
}

std::string meta(const std::string& property, const std::string& value) {
  return "    <meta property=\"" + property + "\">" + escaped(value) + "</meta>\n";
}

// Who can read it, and how: EPUB Accessibility 1.1's metadata.
std::string accessibility(const Book& book) {
  return meta("schema:accessMode", "textual") + meta("schema:accessMode", "visual") +
         meta("schema:accessModeSufficient", "textual") +
         meta("schema:accessibilityFeature", "alternativeText") +
         meta("schema:accessibilityFeature", "displayTransformability") +
         meta("schema:accessibilityFeature", "readingOrder") +
         meta("schema:accessibilityFeature", "structuralNavigation") +
         meta("schema:accessibilityFeature", "tableOfContents") +
         meta("schema:accessibilityHazard", "none") +
         meta("schema:accessibilitySummary",
              BOOK_WORDS("Un libro de texto, sin imágenes más que la cubierta, que tiene una "
                         "descripción. Cada sección acaba en opciones que son enlaces a la sección "
                         "que sigue, o en uno de los finales; el índice lleva al comienzo y a cada "
                         "final.")) +
         meta("dcterms:conformsTo", "EPUB Accessibility 1.1 - WCAG 2.1 Level AA") +
         meta("a11y:certifiedBy", book.authors);
}

std::string item(const std::string& id, const std::string& href, const char* type,
                 const char* properties = nullptr) {
  std::string attributes = "id=\"" + id + "\" href=\"" + href + "\" media-type=\"" + type + "\"";
  if (properties != nullptr) attributes += " properties=\"" + std::string(properties) + "\"";
  return "    <item " + attributes + "/>\n";
}

std::string package(const Book& book) {
  std::string manifest = item("cover", "cover.xhtml", "application/xhtml+xml") +
                         item("title", "title.xhtml", "application/xhtml+xml") +
                         item("nav", "nav.xhtml", "application/xhtml+xml", "nav");
  std::string spine = "    <itemref idref=\"cover\"/>\n    <itemref idref=\"title\"/>\n";
  for (std::size_t number = 1; number <= book.sections.size(); ++number) {
    const std::string id = id_of(number);
    manifest += item(id, file_of(number), "application/xhtml+xml");
    spine += "    <itemref idref=\"" + id + "\"/>\n";
  }
  manifest += item("css", "book.css", "text/css") +
              item("cover-image", "cover.png", "image/png", "cover-image");
  const std::string language(book_words::language);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"ifid\""
         " xml:lang=\"" +
         language +
         "\">\n"
         "  <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
         "    <dc:identifier id=\"ifid\">urn:uuid:" +
         book.ifid + "</dc:identifier>\n    <dc:title>Tramontalia</dc:title>\n    <dc:language>" +
         language + "</dc:language>\n" + "    <dc:creator>" + escaped(book.authors) +
         "</dc:creator>\n    <dc:date>" + book.date + "</dc:date>\n    <dc:rights>Copyright (c) " +
         book.year + " " + escaped(book.authors) + ". " + escaped(BOOK_WORDS("Licencia MIT.")) +
         "</dc:rights>\n" + meta("dcterms:modified", book.date + "T00:00:00Z") +
         "    <meta name=\"cover\" content=\"cover-image\"/>\n" + accessibility(book) +
         "  </metadata>\n" + "  <manifest>\n" + manifest + "  </manifest>\n  <spine>\n" + spine +
         "    <itemref idref=\"nav\" linear=\"no\"/>\n  </spine>\n</package>\n";
}

// The year and the authors as the game's banner names them, in the book's
// language ("Copyright (C) 2026 the authors of Tramontalia"), and the
// licence's paragraphs, its copyright line naming them so.
bool read_licence(Book& book, const char* path) {
  const std::string banner(story::lines::banner_copyright);
  const std::size_t year = banner.find(") ") + 2;
  const std::size_t space = banner.find(' ', year);
  if (!banner.starts_with("Copyright (") || space == std::string::npos) return false;
  book.year = banner.substr(year, space - year);
  book.authors = banner.substr(space + 1);
  book.licence = text_paragraphs(read_file(path));
  const std::string_view prefix = "Copyright (c) ";
  bool named = false;
  for (std::string& text : book.licence) {
    if (!text.starts_with(prefix)) continue;
    text = std::string(prefix) + book.year + " " + book.authors;
    named = true;
  }
  return named;
}

bool read_cover_description(Book& book, const char* path) {
  const std::string svg = read_file(path);
  const std::size_t start = svg.find("<desc>");
  const std::size_t end = svg.find("</desc>");
  if (start == std::string::npos || end == std::string::npos || end < start) return false;
  book.cover_description = svg.substr(start + 6, end - start - 6);
  return true;
}

bool write_book(const std::filesystem::path& out, const Book& book) {
  const std::filesystem::path epub = out / "EPUB";
  bool written =
      write_file(out / "mimetype", "application/epub+zip") &&
      write_file(
          out / "META-INF" / "container.xml",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
          "  <rootfiles>\n    <rootfile full-path=\"EPUB/package.opf\""
          " media-type=\"application/oebps-package+xml\"/>\n  </rootfiles>\n</container>\n") &&
      write_file(epub / "package.opf", package(book)) &&
      write_file(epub / "nav.xhtml", navigation(book)) &&
      write_file(epub / "cover.xhtml", cover_page(book)) &&
      write_file(epub / "title.xhtml", title_page(book));
  for (std::size_t i = 0; written && i < book.sections.size(); ++i) {
    written = write_file(epub / file_of(i + 1), section_page(i + 1, book.sections[i]));
  }
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: book OUTPUT_DIR IFID RELEASE_DATE LICENSE COVER_SVG\n");
    return 2;
  }
  Book book{argv[2], argv[3], {}, {}, {}, {}, gamebook::sections()};
  if (!read_licence(book, argv[4]) || !read_cover_description(book, argv[5])) {
    std::fprintf(stderr,
                 "book: no copyright line in %s or in the banner, or no description in %s\n",
                 argv[4], argv[5]);
    return 1;
  }
  if (!book_words::translate(book.cover_description)) {
    std::fprintf(stderr,
                 "book: %s's description is not translated with the context \"book\": make po, "
                 "then translate it\n",
                 argv[5]);
    return 1;
  }
  if (!write_book(argv[1], book)) {
    std::fprintf(stderr, "book: cannot write the book's files in %s\n", argv[1]);
    return 1;
  }
  return 0;
}
