/* The start-up reference: writes the game's opening, the same bytes, with
 * stdio and nothing else. OPENING is the file holding those bytes as a
 * comma-separated list, made by bench/run.sh from the game's own output. */
#include <stdio.h>

static const unsigned char opening[] = {
#include OPENING
};

int main(void) {
  fwrite(opening, 1, sizeof opening, stdout);
  return 0;
}
