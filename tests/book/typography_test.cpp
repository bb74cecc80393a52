// The book's paragraphs from the console's lines, on the translations' own
// texts, each script's and each quotation mark's, whether or not their books
// are built yet. Its words and marks, book by book, book.test.mjs checks.
#include "book/typography.hpp"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* name;
  std::vector<std::string> lines;
  std::vector<std::string> paragraphs;
};

const Case cases[] = {
    {"guillemets, the exchange closed after a no-break space, then narration",
     {"«\u00A0Dans un avion, vous ne voyez pas\u00A0? Ça saute aux yeux, te lance sèchement",
      "l'homme assis à ta droite, sans lever le nez de son journal.",
      "—\u00A0Oui, mais où va-t-il\u00A0?\u00A0»", "Personne ne te répond."},
     {"«\u00A0Dans un avion, vous ne voyez pas\u00A0? Ça saute aux yeux, te lance sèchement l'homme "
      "assis à ta droite, sans lever le nez de son journal.",
      "—\u00A0Oui, mais où va-t-il\u00A0?\u00A0»", "Personne ne te répond."}},
    {"low and high quotes",
     {"Flugzeug zu", "heben.", "„Schon, aber wo ist dieses Flugzeug?“", "Niemand antwortet dir."},
     {"Flugzeug zu heben.", "„Schon, aber wo ist dieses Flugzeug?“", "Niemand antwortet dir."}},
    {"corner brackets, lines joined with no space",
     {"「飛行機の中ですよ。見ればわかるでしょう」右隣の男が、新聞から目も離さずにつっ", "けんどんに言う。",
      "「ええ、でもどこへ行くんですか？」", "誰も答えない。"},
     {"「飛行機の中ですよ。見ればわかるでしょう」右隣の男が、新聞から目も離さずにつっけんどんに言う。",
      "「ええ、でもどこへ行くんですか？」", "誰も答えない。"}},
    {"a full-width colon before a quote",
     {"他用男高音般的嗓音问你：", "“这位乘客，请问您需要什么？”你答道："},
     {"他用男高音般的嗓音问你：", "“这位乘客，请问您需要什么？”你答道："}},
    {"a quote that opens a line within a sentence",
     {"你找到呼叫按钮，按了下去，", "“叮”的一声轻响。"}, {"你找到呼叫按钮，按了下去，“叮”的一声轻响。"}},
    {"a wide character on one side of a join only",
     {"上にはタイトル", "Tramontalia, then", "a title"},
     {"上にはタイトルTramontalia, then a title"}},
    {"the original's hyphens, after a colon",
     {"te pregunta:", "- ¿Qué desea? -y tú le respondes:", "- Un zumo", "de naranja."},
     {"te pregunta:", "- ¿Qué desea? -y tú le respondes:", "- Un zumo de naranja."}},
};

TEST(Typography, ParagraphsAsPrintSetsThem) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(typography::paragraphs(c.lines), c.paragraphs);
  }
}

}  // namespace
