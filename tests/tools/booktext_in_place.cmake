# booktext reads a book where it lies: a book made by bookmake (a Palm Doc
# file and a UTF-8 corv book) comes back as its text, and the book's folder
# holds exactly what it held before (nothing copied there, nothing left),
# also when the run is cut short by a closed pipe.
#
#   cmake -DBOOKMAKE=<bookmake> -DBOOKTEXT=<booktext> -DWORK=<folder> -P booktext_in_place.cmake
cmake_minimum_required(VERSION 3.20)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/source" "${WORK}/books")
set(text "")
foreach(i RANGE 1 800)
  string(APPEND text "Line ${i} of the sample text, café and naïve words.\n")
endforeach()
file(WRITE "${WORK}/source/text.txt" "${text}")
execute_process(COMMAND "${BOOKMAKE}" "${WORK}/source/text.txt" "${WORK}/books/book.corv" RESULT_VARIABLE made
                OUTPUT_QUIET)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "bookmake failed: ${made}")
endif()
file(GLOB before RELATIVE "${WORK}/books" "${WORK}/books/*" "${WORK}/books/.*")

execute_process(COMMAND "${BOOKTEXT}" "${WORK}/books/book.corv" RESULT_VARIABLE read OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT read EQUAL 0 OR NOT out STREQUAL text)
  message(FATAL_ERROR "booktext did not give back the text (exit ${read}): ${err}")
endif()
# A reader that stops early (head) closes the pipe under booktext.
execute_process(COMMAND "${BOOKTEXT}" "${WORK}/books/book.corv" COMMAND head -c 10 OUTPUT_QUIET ERROR_QUIET)
# Relative to the working folder, as a user types it.
execute_process(COMMAND "${BOOKTEXT}" book.corv WORKING_DIRECTORY "${WORK}/books" RESULT_VARIABLE read
                OUTPUT_VARIABLE out)
if(NOT read EQUAL 0 OR NOT out STREQUAL text)
  message(FATAL_ERROR "booktext with a relative path did not give back the text (exit ${read})")
endif()

file(GLOB after RELATIVE "${WORK}/books" "${WORK}/books/*" "${WORK}/books/.*")
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the book's folder changed: before [${before}], after [${after}]")
endif()
