# The layer rules of docs/ARCHITECTURE.md, read from the include lines of the sources:
#   cmake -DSOURCE_DIR=<the source tree> -P CheckLayers.cmake
# Every include that breaks a rule is printed as "file:line: include (rule)", and the script
# fails when there is one. Only the project's own folders are read; tests and benchmarks may
# include any layer.

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "CheckLayers.cmake needs -DSOURCE_DIR=<the source tree>")
endif()

set(korvane_layer_breaks 0)

# Every include line of the C++ files under `folder` that matches `pattern` breaks `rule`.
function(korvane_forbid folder pattern rule)
    file(GLOB_RECURSE sources LIST_DIRECTORIES false
         "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    list(SORT sources)
    set(breaks ${korvane_layer_breaks})
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include")
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
        foreach(line IN LISTS lines)
            if(line MATCHES "${pattern}")
                message("${shown}: ${line}   (${rule})")
                math(EXPR breaks "${breaks} + 1")
            endif()
        endforeach()
    endforeach()
    set(korvane_layer_breaks ${breaks} PARENT_SCOPE)
endfunction()

set(include_of "^[ \t]*#[ \t]*include[ \t]*\"")
set(qt_include "^[ \t]*#[ \t]*include[ \t]*<Q")

# Inside ui/: the window owns its dialogs; what two of them share lives in ui/widgets.
korvane_forbid(ui/dialogs "${include_of}ui/(main|preferences|app)/"
               "ui/dialogs includes ui/widgets, never the window, Preferences or the application")
korvane_forbid(ui/preferences "${include_of}ui/(main|dialogs|app)/"
               "ui/preferences includes ui/widgets, never the window, the dialogs or the application")
korvane_forbid(ui/main "${include_of}ui/app/" "the window never includes the application object")
korvane_forbid(ui/widgets "${include_of}ui/(main|dialogs|preferences|app)/"
               "ui/widgets is below every other ui/ folder")

# Below ui/.
korvane_forbid(platform "${include_of}(ui|cli)/" "platform/ is below ui/")
foreach(folder catalogue expression query app cli)
    korvane_forbid(${folder} "${include_of}(ui|platform)/" "the core and korvane-cli are below ui/")
    korvane_forbid(${folder} "${qt_include}" "the core and korvane-cli use the standard library only")
endforeach()

# Within the core: app/ and query/ above expression/ above catalogue/; cli/ on top of them all.
foreach(folder catalogue expression query app)
    korvane_forbid(${folder} "${include_of}cli/" "the core never includes korvane-cli")
endforeach()
korvane_forbid(catalogue "${include_of}(expression|query|app)/" "catalogue/ is the lowest layer")
korvane_forbid(expression "${include_of}(query|app)/" "expression/ is below query/ and app/")
korvane_forbid(query "${include_of}app/" "query/ and app/ are side by side")
korvane_forbid(app "${include_of}query/" "query/ and app/ are side by side")

# korvane-cli builds the standard streams only for the commands that print through them: it
# declares them through cli/StandardStreams.h, never through <iostream>, whose every includer
# builds them before main(); CLI11, which includes <iostream>, comes through cli/Cli11.h.
foreach(folder catalogue expression query app)
    korvane_forbid(${folder} "<(iostream|CLI/)" "the core neither prints through nor parses a command line")
endforeach()
file(GLOB cli_sources "${SOURCE_DIR}/cli/*.h" "${SOURCE_DIR}/cli/*.cpp")
list(FILTER cli_sources EXCLUDE REGEX "/cli/(Cli11|StandardStreams)\\.h$")
foreach(source IN LISTS cli_sources)
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*<(iostream|CLI/)")
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
    foreach(line IN LISTS lines)
        message("${shown}: ${line}   (korvane-cli includes cli/StandardStreams.h and cli/Cli11.h)")
        math(EXPR korvane_layer_breaks "${korvane_layer_breaks} + 1")
    endforeach()
endforeach()

if(korvane_layer_breaks GREATER 0)
    message(FATAL_ERROR "${korvane_layer_breaks} include(s) against the layer rules")
endif()
message("The includes keep the layer rules of docs/ARCHITECTURE.md")
