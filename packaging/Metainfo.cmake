# The AppStream metainfo: what software centres show about the program. Its screenshots are
# the pictures of the windows in docs/, the main window first (the default one).

set(screenshot_captions
    "mainform=The main window"
    "zadajcd=Adding a CD"
    "vypiscd=The listing of all CDs"
    "triedenie=Choosing the sort key"
    "vyhladaj=Search settings"
    "hladanie=Searching the records"
    "about=About the program"
    "potermine=Overdue loans drawn in red in the listing"
    "potermine-tmave=Overdue loans on a dark palette")

file(GLOB screenshot_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.png)
set(screenshot_names)
foreach(file IN LISTS screenshot_files)
    get_filename_component(name ${file} NAME_WE)
    list(APPEND screenshot_names ${name})
endforeach()
list(SORT screenshot_names)
list(FIND screenshot_names mainform main_index)
if(main_index EQUAL -1)
    message(WARNING "docs/mainform.png is missing: the metainfo has no main window screenshot.")
elseif(main_index GREATER 0)
    list(REMOVE_AT screenshot_names ${main_index})
    list(PREPEND screenshot_names mainform)
endif()

set(PLATNOVNIK_SCREENSHOTS "")
set(screenshot_type " type=\"default\"")
foreach(name IN LISTS screenshot_names)
    set(caption "")
    foreach(entry IN LISTS screenshot_captions)
        if(entry MATCHES "^${name}=(.*)$")
            set(caption "      <caption>${CMAKE_MATCH_1}</caption>\n")
        endif()
    endforeach()
    if(caption STREQUAL "")
        message(WARNING "docs/${name}.png has no caption in screenshot_captions.")
    endif()
    string(APPEND PLATNOVNIK_SCREENSHOTS
        "    <screenshot${screenshot_type}>\n"
        "${caption}"
        "      <image>${PLATNOVNIK_DOCS_URL}/${name}.png</image>\n"
        "    </screenshot>\n")
    set(screenshot_type "")
endforeach()

set(PLATNOVNIK_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/${PLATNOVNIK_APP_ID}.metainfo.xml)
configure_file(platnovnik.metainfo.xml.in ${PLATNOVNIK_METAINFO} @ONLY)
install(FILES ${PLATNOVNIK_METAINFO}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
    COMPONENT ${component})
