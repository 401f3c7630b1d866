# The high-score slot reader and the scrambling over arbitrary stored text.
tavro_add_fuzzer(fuzz_highscore SOURCES ${CMAKE_CURRENT_LIST_DIR}/HighScoreFuzzer.cpp
                 LIBS tavro_dialogs)
