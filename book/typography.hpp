// How a book sets the console's text in print: the lines of a page, wrapped
// for a terminal, joined into paragraphs, and the marks that a console's
// character set stands in for set as print sets them. Rules by script and by
// mark, never by language: each translation writes its own marks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace typography {

// Two wrapped lines of one paragraph as one: with a space where neither side
// of the join is a wide character (Han and kana put none between words).
std::string joined(std::string_view before, std::string_view after);

// A page's lines as paragraphs: the lines join, with a space where neither
// side of the join is a wide character (Han and kana put none between
// words); a spoken line opens a paragraph of its own, and so does
// narration after the end of a spoken paragraph's sentence.
std::vector<std::string> paragraphs(const std::vector<std::string>& lines);

// The original's dialogue, written with hyphens by its ISO-8859-1 console,
// set with rayas.
std::string with_rayas(std::string_view text);

// The typewriter's marks that a translation's console writes set as print's:
// straight quotes curly, turned the way they face, and a hyphen between
// spaces an em dash.
std::string with_print_marks(std::string_view text);

}  // namespace typography
