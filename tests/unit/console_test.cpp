// The dialogue on its own: how answers are read, validated and matched.
#include "console/console.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>

#include <memory>
#include <string>

#include "tests/support.hpp"

namespace {

using console::Choice;
using testing_support::StringInput;
using testing_support::StringOutput;

struct Dialogue {
  explicit Dialogue(std::string input, std::size_t chunk = 1 << 20)
      : in(std::move(input), chunk), console(std::make_unique<console::Console>(in, out)) {}
  std::string written() {
    console->flush();
    return out.text;
  }
  std::string word() const { return std::string(console->answer_word()); }

  StringInput in;
  StringOutput out;
  std::unique_ptr<console::Console> console;
};

TEST(ReadAnswer, TakesTheFirstWordAndIgnoresTheRest) {
  Dialogue d("  a   b\n\tpalabra\tmas\r\n");
  ASSERT_TRUE(d.console->read_answer(""));
  EXPECT_EQ(d.word(), "a");
  ASSERT_TRUE(d.console->read_answer(""));
  EXPECT_EQ(d.word(), "palabra");
}

TEST(ReadAnswer, RejectsBlankAnswersWithRedoAndThePromptAlone) {
  Dialogue d("   \n\t\n\r\n\v\f\nx\n");
  ASSERT_TRUE(d.console->read_answer(">"));
  EXPECT_EQ(d.word(), "x");
  const std::string redo = "Redo from start:\n";
  EXPECT_EQ(d.written(), ">" + redo + ">" + redo + ">" + redo + ">" + redo + ">");
}

TEST(ReadAnswer, EnterAloneKeepsTheLastWord) {
  Dialogue d("d\n\n   \n\n");
  ASSERT_TRUE(d.console->read_answer(""));
  ASSERT_TRUE(d.console->read_answer(""));
  EXPECT_EQ(d.word(), "d");
  ASSERT_TRUE(d.console->read_answer(""));  // a blank answer, then Enter alone
  EXPECT_EQ(d.word(), "d");
  EXPECT_EQ(d.written(), "Redo from start:\n");
}

TEST(ReadAnswer, CarriageReturnIsWhiteSpaceButNotEnter) {
  Dialogue cr_alone("\r\n\n");
  ASSERT_TRUE(cr_alone.console->read_answer(">"));
  EXPECT_EQ(cr_alone.written(), ">Redo from start:\n>");

  Dialogue word_then_crlf("a\r\n");
  ASSERT_TRUE(word_then_crlf.console->read_answer(">"));
  EXPECT_EQ(word_then_crlf.word(), "a");
}

TEST(ReadAnswer, BytesAbove127AreLettersNotWhiteSpace) {
  Dialogue d("\xA0\n \xF1o\xA0x y\n");
  ASSERT_TRUE(d.console->read_answer(""));
  EXPECT_EQ(d.word(), "\xA0");
  ASSERT_TRUE(d.console->read_answer(""));
  EXPECT_EQ(d.word(), "\xF1o\xA0x");
  EXPECT_EQ(d.written(), "");
}

TEST(ReadAnswer, ANulByteEndsTheAnswerLine) {
  Dialogue d(std::string("ab\0cd\n", 6) + std::string("\0x\n", 3) + "z\n");
  ASSERT_TRUE(d.console->read_answer(""));
  EXPECT_EQ(d.word(), "ab");
  ASSERT_TRUE(d.console->read_answer(""));  // nothing before the NUL: redo
  EXPECT_EQ(d.word(), "z");
  EXPECT_EQ(d.written(), "Redo from start:\n");
}

TEST(ReadAnswer, LongLinesAreTakenIn254BytePieces) {
  const std::string word300(300, 'w');
  Dialogue two_answers(word300 + "\n");
  ASSERT_TRUE(two_answers.console->read_answer(""));
  EXPECT_EQ(two_answers.word(), word300.substr(0, 254));
  ASSERT_TRUE(two_answers.console->read_answer(""));
  EXPECT_EQ(two_answers.word(), word300.substr(0, 46));

  const std::string line254 = "k" + std::string(253, ' ');
  Dialogue newline_left(line254 + "\nnext\n");
  ASSERT_TRUE(newline_left.console->read_answer(""));
  EXPECT_EQ(newline_left.word(), "k");
  ASSERT_TRUE(newline_left.console->read_answer(""));  // the newline alone: Enter
  EXPECT_EQ(newline_left.word(), "k");
  ASSERT_TRUE(newline_left.console->read_answer(""));
  EXPECT_EQ(newline_left.word(), "next");
  EXPECT_EQ(newline_left.written(), "");
}

TEST(ReadAnswer, SameAnswersWhateverTheSizeOfEachRead) {
  const std::string input = "  uno dos\n\n   \n" + std::string(400, 'q') + "\ntres\r\n";
  for (std::size_t chunk : {1u, 2u, 3u, 7u, 253u, 254u, 255u}) {
    Dialogue d(input, chunk);
    std::string words;
    while (d.console->read_answer(">")) words += d.word() + "|";
    EXPECT_EQ(words, "uno|uno|" + std::string(254, 'q') + "|" + std::string(146, 'q') + "|tres|")
        << "chunk " << chunk;
  }
}

TEST(ReadAnswer, EndOfInputEndsWithANewline) {
  Dialogue empty("");
  EXPECT_FALSE(empty.console->read_answer(">"));
  EXPECT_EQ(empty.written(), ">\n");

  Dialogue after_blank("  ");  // a last line without newline is still an answer
  EXPECT_FALSE(after_blank.console->read_answer(""));
  EXPECT_EQ(after_blank.written(), "Redo from start:\n\n");

  Dialogue last_line("a");
  ASSERT_TRUE(last_line.console->read_answer(""));
  EXPECT_EQ(last_line.word(), "a");
}

TEST(ReadAnswer, EverythingWrittenIsVisibleBeforeWaiting) {
  struct WatchingInput final : console::Input {
    StringOutput* out = nullptr;
    std::string seen_at_read;
    std::size_t read(char* buffer, std::size_t) override {
      seen_at_read = out->text;
      buffer[0] = '\n';
      return 1;
    }
  } in;
  StringOutput out;
  in.out = &out;
  auto c = std::make_unique<console::Console>(in, out);
  c->line("Pulsa enter");
  c->write(">");
  ASSERT_TRUE(c->read_answer(""));
  EXPECT_EQ(in.seen_at_read, "Pulsa enter\n>");
}

TEST(Choose, MatchesWholeWordsCaseSensitively) {
  Dialogue d("a\nd\nA\nab\na.\nSalir\nsalir!\nz\n\n");
  const auto kind = [&] { return d.console->choose("ade").kind; };
  EXPECT_EQ(d.console->choose("ade").index, 0u);
  EXPECT_EQ(d.console->choose("ade").index, 1u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(kind(), Choice::Kind::unrecognised);
  EXPECT_EQ(kind(), Choice::Kind::unrecognised);  // Enter alone repeats "z"
  EXPECT_EQ(kind(), Choice::Kind::input_ended);
}

TEST(Choose, SalirQuitsAtAMenuOnlyAfterTheKeys) {
  Dialogue d("  salir  \ns\n");
  EXPECT_EQ(d.console->choose("ab").kind, Choice::Kind::quit);
  EXPECT_EQ(d.console->choose("s").kind, Choice::Kind::key);

  Dialogue at_pause("salir\n");
  EXPECT_TRUE(at_pause.console->pause());
  EXPECT_EQ(at_pause.written(), "\nPulsa enter\n");
}

TEST(Blocks, PauseAndEndingWriteTheirLinesAndSurviveEndOfInput) {
  Dialogue pause("");
  EXPECT_FALSE(pause.console->pause());
  EXPECT_EQ(pause.written(), "\nPulsa enter\n\n");

  const std::string ending = "\nFin\n\nPulsa enter para salir\n\n";
  Dialogue answered("x\n");
  answered.console->ending();
  EXPECT_EQ(answered.written(), ending);
  Dialogue unanswered("");
  unanswered.console->ending();
  EXPECT_EQ(unanswered.written(), ending);
}

TEST(Blocks, ATextLongerThanTheOutputBufferArrivesWholeAndInOrder) {
  Dialogue d("");
  const std::string huge(200000, 'h');
  d.console->line("antes");
  d.console->line(huge);
  d.console->line("despues");
  EXPECT_EQ(d.written(), "antes\n" + huge + "\ndespues\n");
}

TEST(FdStreams, ReportFailureInsteadOfRetryingForever) {
  console::FdInput bad_input(-1);
  char buffer[8];
  EXPECT_EQ(bad_input.read(buffer, sizeof buffer), 0u);

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const auto old_handler = std::signal(SIGPIPE, SIG_IGN);
  console::FdOutput to_pipe(fds[1]);
  EXPECT_TRUE(to_pipe.write("hola\n", 5));
  console::FdInput from_pipe(fds[0]);
  EXPECT_EQ(from_pipe.read(buffer, sizeof buffer), 5u);
  close(fds[0]);
  EXPECT_FALSE(to_pipe.write("adios\n", 6));  // nobody reads any more
  close(fds[1]);
  std::signal(SIGPIPE, old_handler);
}

}  // namespace
