# Writes one manual page from a program's --help with help2man (cmake -P, from
# packaging.cmake). A program without --help still gets a page, a stub that says so, so the
# build goes on; the package test tells a stub from a real page by help2man's mark.
#   -DHELP2MAN= -DPROGRAM= -DTOOL= -DVERSION= -DSUMMARY= -DOUTPUT=

# A viewer that does not know --help would start: without a display it fails at once
# instead of opening a window, and the working folder holds no date.txt for it to read.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
set(ENV{LC_ALL} C)
get_filename_component(work_dir "${OUTPUT}" DIRECTORY)

execute_process(
  COMMAND "${HELP2MAN}" --no-info "--version-string=${TOOL} ${VERSION}" "--name=${SUMMARY}"
          "--output=${OUTPUT}.tmp" "${PROGRAM}"
  WORKING_DIRECTORY "${work_dir}"
  TIMEOUT 30
  RESULT_VARIABLE status
  OUTPUT_QUIET ERROR_VARIABLE errors)

if(status EQUAL 0)
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

file(REMOVE "${OUTPUT}.tmp")
message(WARNING "${TOOL}: help2man could not read its --help (${status}); writing a stub page")
string(TOUPPER "${TOOL}" title)
string(REPLACE "-" "\\-" escaped "${TOOL}")
file(WRITE "${OUTPUT}" ".TH ${title} \"1\" \"\" \"${TOOL} ${VERSION}\" \"User Commands\"
.SH NAME
${escaped} \\- ${SUMMARY}
.SH DESCRIPTION
Run
.B ${escaped} \\-\\-help
for its options.
")
