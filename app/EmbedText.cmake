# Writes OUTPUT, a C++ source defining the constant NAME as the text of INPUT.
file(READ "${INPUT}" _text)
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\nextern const char* const ${NAME};\nconst char* const ${NAME} = R\"stored(${_text})stored\";\n")
