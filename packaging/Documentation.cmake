# The papers a distribution expects beside the program: the copyright file, the changelog and
# the manual pages in English and Slovak. The build writes the version and the release date
# into them, so that the changelog's newest entry and the pages' headers name this release.
# A new release moves the entry it replaces into changelog.in below the new one, written out.

find_program(PLATNOVNIK_GZIP gzip REQUIRED DOC "gzip, for the changelog and the manual pages")

# Debian's changelog dates the entry as "Sun, 06 Dec 2026 00:00:00 +0000". The day of the
# week by Sakamoto's method, 0 for Sunday.
if(NOT PLATNOVNIK_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-0?([0-9]+)-0?([0-9]+)$")
    message(FATAL_ERROR "PLATNOVNIK_RELEASE_DATE is not YYYY-MM-DD: ${PLATNOVNIK_RELEASE_DATE}")
endif()
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2}) # without leading zeros, for math()
set(day ${CMAKE_MATCH_3})
set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(weekday_names Sun Mon Tue Wed Thu Fri Sat)
math(EXPR month_index "${month} - 1")
list(GET month_offsets ${month_index} month_offset)
list(GET month_names ${month_index} month_name)
set(y ${year})
if(month LESS 3)
    math(EXPR y "${year} - 1")
endif()
math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${month_offset} + ${day}) % 7")
list(GET weekday_names ${weekday} weekday_name)
string(SUBSTRING ${PLATNOVNIK_RELEASE_DATE} 8 2 day_of_month)
set(PLATNOVNIK_CHANGELOG_DATE "${weekday_name}, ${day_of_month} ${month_name} ${year} 00:00:00 +0000")

set(papers ${CMAKE_CURRENT_BINARY_DIR}/papers)
configure_file(copyright.in ${papers}/copyright @ONLY)
configure_file(changelog.in ${papers}/text/changelog @ONLY)
configure_file(man/platnovnik.1.in ${papers}/text/man1/platnovnik.1 @ONLY)
configure_file(man/sk/platnovnik.1.in ${papers}/text/sk/man1/platnovnik.1 @ONLY)

# Compressed as Debian wants them: at the highest level, and with no name or time in the
# gzip header, so that the same text always gives the same bytes.
set(gzipped)
foreach(text IN ITEMS changelog man1/platnovnik.1 sk/man1/platnovnik.1)
    get_filename_component(folder ${papers}/${text} DIRECTORY)
    add_custom_command(OUTPUT ${papers}/${text}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${CMAKE_COMMAND} -E copy ${papers}/text/${text} ${papers}/${text}
        COMMAND ${PLATNOVNIK_GZIP} -9nf ${papers}/${text}
        DEPENDS ${papers}/text/${text}
        COMMENT "Compressing ${text}"
        VERBATIM)
    list(APPEND gzipped ${papers}/${text}.gz)
endforeach()
add_custom_target(platnovnik_papers ALL DEPENDS ${gzipped})

install(FILES ${papers}/copyright ${papers}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/platnovnik
    COMPONENT ${component})
install(FILES ${papers}/man1/platnovnik.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
    COMPONENT ${component})
install(FILES ${papers}/sk/man1/platnovnik.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/sk/man1
    COMPONENT ${component})
