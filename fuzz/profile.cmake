# The language-file reader over arbitrary file content, and the conversion of
# stored settings text to 16-bit numbers.
tavro_add_fuzzer(fuzz_profile SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProfileFuzzer.cpp LIBS tavro_common)
tavro_add_fuzzer(fuzz_number SOURCES ${CMAKE_CURRENT_LIST_DIR}/NumberFuzzer.cpp LIBS tavro_settings)
