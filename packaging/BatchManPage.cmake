# Writes the manual page of condsim-batch from the text of its --help, so the two cannot
# drift apart, and compresses it as Debian's manual pages are.
#   cmake -DPROGRAM=path/to/condsim-batch -DVERSION=1.2.3 -DSUMMARY=text
#         -DSECTIONS=condsim-batch-sections.roff -DOUTPUT=condsim-batch.1 -P BatchManPage.cmake
# The first paragraph of --help (the usage lines) becomes the synopsis, the others the
# description. A paragraph with indented lines keeps its lines as they are; any other is
# filled.

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# Escapes a line for roff: backslashes, minus signs, and a leading control character.
function(roff_escape text result)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "^([.'].*)$" "\\\\&\\1" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# Paragraphs are separated by empty lines. CMake lists split at semicolons, except inside
# square brackets, so the text's own semicolons and brackets stand aside as control
# characters until the page is written.
string(ASCII 28 open_bracket_aside)
string(ASCII 29 close_bracket_aside)
string(ASCII 30 semicolon_aside)
string(ASCII 31 paragraph_break)
string(REPLACE ";" "${semicolon_aside}" help "${help}")
string(REPLACE "[" "${open_bracket_aside}" help "${help}")
string(REPLACE "]" "${close_bracket_aside}" help "${help}")
string(REGEX REPLACE "\n+$" "" help "${help}")
string(REGEX REPLACE "\n\n+" "${paragraph_break}" help "${help}")
string(REPLACE "${paragraph_break}" ";" paragraphs "${help}")

set(page ".TH CONDSIM\\-BATCH 1 \"\" \"condsim ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\ncondsim\\-batch \\- ${SUMMARY}\n")
set(section "")
foreach(paragraph IN LISTS paragraphs)
  string(REPLACE "\n" ";" lines "${paragraph}")
  if(section STREQUAL "")
    string(APPEND page ".SH SYNOPSIS\n.nf\n")
    # The lines lose the "Usage: " of the first and as many spaces of the others.
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^(Usage: |       )(.*)$" "\\2" line "${line}")
      roff_escape("${line}" line)
      string(APPEND page "${line}\n")
    endforeach()
    string(APPEND page ".fi\n")
    set(section "DESCRIPTION")
    continue()
  endif()
  if(section STREQUAL "DESCRIPTION")
    string(APPEND page ".SH DESCRIPTION\n")
    set(section "more")
  else()
    string(APPEND page ".PP\n")
  endif()
  set(indented OFF)
  if(paragraph MATCHES "\n[ \t]")
    set(indented ON)
    string(APPEND page ".nf\n")
  endif()
  foreach(line IN LISTS lines)
    if(NOT indented)
      string(STRIP "${line}" line)
    endif()
    roff_escape("${line}" line)
    string(APPEND page "${line}\n")
  endforeach()
  if(indented)
    string(APPEND page ".fi\n")
  endif()
endforeach()
# The sections that --help does not hold: exit status, files, examples.
file(READ ${SECTIONS} sections)
string(REPLACE ";" "${semicolon_aside}" sections "${sections}")
string(APPEND page "${sections}")
string(APPEND page ".SH SEE ALSO\n"
  ".BR condsim (1);\n"
  "the manual, with the examples, the import, the fit and the solution model, is\n"
  "\\fIREADME.md\\fR in the folder \\fIshare/doc/condsim\\fR of the installation,\n"
  "\\fI/usr/share/doc/condsim\\fR for the Debian package.\n")

string(REPLACE "${semicolon_aside}" ";" page "${page}")
string(REPLACE "${open_bracket_aside}" "[" page "${page}")
string(REPLACE "${close_bracket_aside}" "]" page "${page}")
file(WRITE ${OUTPUT} "${page}")
execute_process(COMMAND gzip -n -9 -f ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip of ${OUTPUT} failed: ${status}")
endif()
