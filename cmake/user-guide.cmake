# The user guide shipped with the program: the README's part for
# commissioners, everything before "## For developers" (the build, the tests
# and the development pages are no use to someone who installed the program).
#   cmake -DREADME=README.md -DOUT=guide.txt [-DCRLF=ON] -P user-guide.cmake
# With CRLF the lines end as Notepad on older Windows needs.
file(READ "${README}" text)
string(FIND "${text}" "\n## For developers" cut)
if(cut EQUAL -1)
  message(FATAL_ERROR "${README} has no \"## For developers\" section to end the user guide at")
endif()
math(EXPR cut "${cut} + 1")
string(SUBSTRING "${text}" 0 ${cut} guide)
if(CRLF)
  string(REPLACE "\n" "\r\n" guide "${guide}")
endif()
file(WRITE "${OUT}" "${guide}")
