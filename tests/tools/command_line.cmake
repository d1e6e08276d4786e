# Runs one developer program of tools/ the way a hurried user would: asking
# for help, mistyping an option, giving too few or too many arguments, or an
# output name that begins with "-". Help must answer 0 with the usage on
# standard output; every mistake 2 with the usage on standard error; and no
# run may leave a file behind (a tool once wrote its picture to "--help").
#
#   cmake -DNAME=<tool> -DCOMMAND=<program, or interpreter|script>
#         -DWORK=<folder to run in> -P command_line.cmake
cmake_minimum_required(VERSION 3.20)

string(REPLACE "|" ";" command "${COMMAND}")
set(failures "")

# Runs the tool with the arguments in an empty folder and checks its exit
# code, where its usage went, and that the folder is still empty.
function(expect code stream)
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${WORK}")
  execute_process(COMMAND ${command} ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(JOIN " " run ${NAME} ${ARGN})
  set(problems "")
  if(NOT result STREQUAL code)
    list(APPEND problems "exit ${result}, expected ${code}")
  endif()
  if(stream STREQUAL "stdout")
    set(usage_text "${out}")
  else()
    set(usage_text "${err}")
  endif()
  if(NOT usage_text MATCHES "usage")
    list(APPEND problems "no usage on ${stream}")
  endif()
  file(GLOB left LIST_DIRECTORIES true RELATIVE "${WORK}" "${WORK}/*" "${WORK}/.*")
  if(left)
    list(APPEND problems "left ${left} behind")
  endif()
  if(problems)
    string(REPLACE ";" ", " problems "${problems}")
    message("FAILED: ${run}: ${problems}\n  stdout: ${out}\n  stderr: ${err}")
    set_property(GLOBAL APPEND PROPERTY command_line_failures "${run}")
  endif()
endfunction()

expect(0 stdout --help)
expect(0 stdout -h)
expect(2 stderr --no-such-option)
expect(2 stderr -q)

# Wrong numbers of arguments, and what each tool that writes a file makes of
# an output name that begins with "-" (an option it does not know).
if(NAME STREQUAL "gen_keyword_tables")
  expect(2 stderr)
  expect(2 stderr --out)
  expect(2 stderr --out -tables)
  expect(2 stderr --out tables one)
elseif(NAME STREQUAL "gen_script_programs")
  expect(2 stderr)
  expect(2 stderr --out)
  expect(2 stderr --out -programs)
  expect(2 stderr --out programs one)
elseif(NAME STREQUAL "install-packages")
  # Any number of packages is right; nothing more to try without apt-get.
else()
  expect(2 stderr)
  expect(2 stderr one two three four five)
  if(NAME STREQUAL "fontsample")
    expect(2 stderr -sample.png builtin 16)
  elseif(NAME STREQUAL "bookmake")
    file(WRITE "${WORK}.input.txt" "text\n")
    expect(2 stderr "${WORK}.input.txt" -book.pdb)
    expect(2 stderr --version)
    expect(2 stderr --version 6x "${WORK}.input.txt" book.pdb)
    file(REMOVE "${WORK}.input.txt")
  elseif(NAME STREQUAL "markup-elements")
    expect(2 stderr --generate 1)
    expect(2 stderr --block 0 page.html)
    expect(2 stderr --block)
  elseif(NAME STREQUAL "audiodecode")
    expect(2 stderr sound.ogg -o -out.raw)
    expect(2 stderr --rate 7999 sound.ogg)
    expect(2 stderr --channels 3 sound.ogg)
    expect(2 stderr sound.ogg -o)
  elseif(NAME STREQUAL "scriptrun")
    expect(2 stderr --repeat 0 page.js)
  endif()
endif()

file(REMOVE_RECURSE "${WORK}")
get_property(failed GLOBAL PROPERTY command_line_failures)
if(failed)
  string(JOIN "; " failed ${failed})
  message(FATAL_ERROR "${NAME}: bad answers to: ${failed}")
endif()
