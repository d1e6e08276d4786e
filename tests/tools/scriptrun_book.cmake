# scriptrun --book runs a script over a dictionary that bookmake made with
# spelling blocks: sql_execute walks a look-up query's record set and
# OpenDatabase makes, saves and opens again an object database beside the
# book; indexquery --spell gives the closest keys of a misspelt word.
#
#   cmake -DBOOKMAKE=<bookmake> -DSCRIPTRUN=<scriptrun> -DINDEXQUERY=<indexquery> -DWORK=<folder>
#         -P scriptrun_book.cmake
cmake_minimum_required(VERSION 3.20)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/words.txt" "ant\tan insect\ncab\ta taxi\ncat\ta pet\ndog\ta friend\n")
file(WRITE "${WORK}/in.html" "<p>Words</p>\n")
execute_process(COMMAND "${BOOKMAKE}" --dictionary "${WORK}/words.txt" --spelling "${WORK}/in.html"
                        "${WORK}/dict.corv" RESULT_VARIABLE made OUTPUT_QUIET ERROR_QUIET)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "bookmake failed: ${made}")
endif()
file(WRITE "${WORK}/walk.js" [=[
var rs = sql_execute("select * from words where orth like 'c%'");
while (!rs.EOF) { Response.Write(rs.orth + " "); rs.MoveNext(); }
var db = OpenDatabase("\\notes.ebase");
db.CreateTable("notes"); db.AddField("notes", "n", TYPE_UINT);
var t = db.OpenTable("notes"); t.AddNew(); t.n = 42; t = null;
Response.Write(db.Save() + "|");
Response.Write(OpenDatabase("\\notes.ebase").OpenTable("notes").n);
]=])
execute_process(COMMAND "${SCRIPTRUN}" --book "${WORK}/dict.corv" "${WORK}/walk.js" RESULT_VARIABLE ran
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT ran EQUAL 0 OR NOT out STREQUAL "cab cat |42")
  message(FATAL_ERROR "scriptrun --book gave '${out}' (exit ${ran}): ${err}")
endif()
if(NOT EXISTS "${WORK}/notes.ebase")
  message(FATAL_ERROR "the database was not saved beside the book")
endif()
execute_process(COMMAND "${INDEXQUERY}" "${WORK}/dict.corv" --spell cta RESULT_VARIABLE looked OUTPUT_VARIABLE out)
if(NOT looked EQUAL 0 OR NOT out STREQUAL "cat 300\nanswer 0\n")
  message(FATAL_ERROR "indexquery --spell gave '${out}' (exit ${looked})")
endif()
