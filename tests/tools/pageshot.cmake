# pageshot shows a book made by bookmake page by page: --pages N writes N
# different PNGs into the folder given, the book's folder holds what it
# held before, and a damaged book ends with the reader's message and exit
# 1, writing no picture.
#
#   cmake -DBOOKMAKE=<bookmake> -DPAGESHOT=<pageshot> -DWORK=<folder> -P pageshot.cmake
cmake_minimum_required(VERSION 3.20)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/source" "${WORK}/books" "${WORK}/pages" "${WORK}/bad")
set(text "")
foreach(i RANGE 1 400)
  string(APPEND text "Line ${i} of the sample text, long enough to fill a narrow page quickly.\n")
endforeach()
file(WRITE "${WORK}/source/text.txt" "${text}")
execute_process(COMMAND "${BOOKMAKE}" "${WORK}/source/text.txt" "${WORK}/books/book.corv" RESULT_VARIABLE made
                OUTPUT_QUIET)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "bookmake failed: ${made}")
endif()
file(GLOB before RELATIVE "${WORK}/books" "${WORK}/books/*")

execute_process(COMMAND "${PAGESHOT}" "${WORK}/books/book.corv" --pages 3 --out "${WORK}/pages"
                RESULT_VARIABLE shot ERROR_VARIABLE err)
if(NOT shot EQUAL 0)
  message(FATAL_ERROR "pageshot failed (exit ${shot}): ${err}")
endif()
foreach(n 001 002 003)
  if(NOT EXISTS "${WORK}/pages/page-${n}.png")
    message(FATAL_ERROR "page-${n}.png is missing")
  endif()
  file(SHA256 "${WORK}/pages/page-${n}.png" hash_${n})
endforeach()
if(EXISTS "${WORK}/pages/page-004.png")
  message(FATAL_ERROR "more pages than asked for")
endif()
if(hash_001 STREQUAL hash_002 OR hash_002 STREQUAL hash_003)
  message(FATAL_ERROR "consecutive pages look the same")
endif()
file(GLOB after RELATIVE "${WORK}/books" "${WORK}/books/*")
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the book's folder changed: before [${before}], after [${after}]")
endif()

# A file that is no book: the loader's message, exit 1, no picture.
file(WRITE "${WORK}/bad/cut.prc" "not a book at all, only words")
execute_process(COMMAND "${PAGESHOT}" "${WORK}/bad/cut.prc" --out "${WORK}/bad" RESULT_VARIABLE shot
                ERROR_VARIABLE err)
if(NOT shot EQUAL 1 OR err STREQUAL "")
  message(FATAL_ERROR "a damaged book gave exit ${shot} and [${err}]")
endif()
file(GLOB pictures "${WORK}/bad/*.png")
if(pictures)
  message(FATAL_ERROR "a damaged book left pictures: ${pictures}")
endif()
