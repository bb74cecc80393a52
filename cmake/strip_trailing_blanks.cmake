# cmake -DFILE=PATH -P strip_trailing_blanks.cmake: removes the blanks that
# end a line of FILE (po4a ends some macro lines with one, which the
# manual's linters refuse).
file(READ ${FILE} text)
string(REGEX REPLACE "[ \t]+\n" "\n" text "${text}")
file(WRITE ${FILE} "${text}")
