# The README's Qt example is examples/minimal/main.cpp word for word, so that what it shows
# compiles (the build makes grid_minimal of it).
file(READ ${README} _readme)
file(READ ${EXAMPLE} _example)
string(FIND "${_readme}" "```cpp\n${_example}```" _at)
if(_at EQUAL -1)
  message(FATAL_ERROR "README.md does not show ${EXAMPLE} as it stands: copy it into the cpp block")
endif()
message(STATUS "README.md shows ${EXAMPLE}")
