# The program's icon in the hicolor theme: the same two pictures that its windows carry,
# pixel art at 16 and 32 pixels. The larger theme sizes are whole-number enlargements with
# hard pixel edges (16 x 3 = 48, 32 x 8 = 256), so every size shows the same picture
# without blur.

set(icon_16 ${PROJECT_SOURCE_DIR}/toolkit/icons/platnovnik-16.png)
set(icon_32 ${PROJECT_SOURCE_DIR}/toolkit/icons/platnovnik-32.png)

find_program(PLATNOVNIK_CONVERT convert REQUIRED DOC "ImageMagick's convert, for the larger icons")

set(icon_build_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_outputs)
foreach(size_source_factor IN ITEMS "48;${icon_16};300" "256;${icon_32};800")
    list(GET size_source_factor 0 size)
    list(GET size_source_factor 1 source)
    list(GET size_source_factor 2 factor)
    set(output ${icon_build_dir}/platnovnik-${size}.png)
    # Dates stripped, so that the same picture always gives the same file.
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_build_dir}
        COMMAND ${PLATNOVNIK_CONVERT} ${source} -filter point -resize ${factor}% -strip
                -define png:exclude-chunks=date,time ${output}
        DEPENDS ${source}
        COMMENT "Enlarging the icon to ${size} x ${size} pixels"
        VERBATIM)
    list(APPEND icon_outputs ${output})
endforeach()
add_custom_target(platnovnik_icons ALL DEPENDS ${icon_outputs})

foreach(size_file IN ITEMS "16;${icon_16}" "32;${icon_32}"
        "48;${icon_build_dir}/platnovnik-48.png" "256;${icon_build_dir}/platnovnik-256.png")
    list(GET size_file 0 size)
    list(GET size_file 1 file)
    install(FILES ${file}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME platnovnik.png
        COMPONENT ${component})
endforeach()
