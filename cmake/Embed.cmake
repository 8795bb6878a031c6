# Makes a C++ source that holds a file's bytes as a text: a char array named NAME
# with C linkage, ended by a zero byte. Run as a script:
#   cmake -DIN=page.html -DOUT=page_html.cpp -DNAME=scrapdeck_stand_page -P Embed.cmake
file(READ ${IN} _hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n  " _bytes "${_bytes}")
file(WRITE ${OUT} "// Made from ${IN} at build time; not to be edited.\n"
                  "extern \"C\" const char ${NAME}[] = {\n  ${_bytes}0x00};\n")
