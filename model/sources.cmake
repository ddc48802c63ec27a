# The model's sources, written once, by subject: each folder is a library of its own (model/CMakeLists.txt)
# whose includes reach only the folders below it (tests/layers/check_includes.sh),
#   numbers, language <- run <- charts, dynamics, continuous, chance <- words <- lessons;  run <- screens,
# and the fuzz build (tests/fuzz) and the WebAssembly module (web/) read the same lists, so a new model
# file cannot be left out of any. Paths are relative to model/. Everything builds with any C++20
# library, emscripten's included, but for the thread pool of the scans, which needs std::jthread and
# stays with the native builds.
set(tarnis_model_subjects numbers language run charts dynamics continuous chance words screens lessons)
set(tarnis_model_numbers_sources
    numbers/double_double.h numbers/double_double.cpp
    numbers/conversions.h numbers/conversions.cpp
    numbers/decimal_digits.h numbers/decimal_digits.cpp
)
set(tarnis_model_language_sources
    language/catalog.h language/catalog.cpp
    language/catalog_tables.h
)
set(tarnis_model_run_sources
    run/store.h
    run/model_step.h
    run/run.h run/run.cpp
    run/run_refusals.h run/run_refusals.cpp
    run/trajectory.h run/trajectory.cpp
    run/parameter_boxes.h run/parameter_boxes.cpp
    run/graphic_data.h run/graphic_data.cpp
    run/kept_runs.h run/kept_runs.cpp
    run/play_pace.h run/play_pace.cpp
)
set(tarnis_model_charts_sources
    charts/chart_quantities.h charts/chart_quantities.cpp
    charts/chart_kinds.h charts/chart_kinds.cpp
    charts/chart_view_limits.h charts/chart_view_limits.cpp
    charts/axis_fit.h charts/axis_fit.cpp
)
set(tarnis_model_dynamics_sources
    dynamics/linear_stability.h dynamics/linear_stability.cpp
    dynamics/lyapunov.h dynamics/lyapunov.cpp
    dynamics/run_regime.h dynamics/run_regime.cpp
    dynamics/regime_colours.h dynamics/regime_colours.cpp
    dynamics/scan_cells.h dynamics/scan_cells.cpp
    dynamics/scan_estimate.h dynamics/scan_estimate.cpp
    dynamics/dynamics_labels.h
    dynamics/dynamics_plan.h dynamics/dynamics_plan.cpp
    dynamics/dynamics_restart.h dynamics/dynamics_restart.cpp
)
set(tarnis_model_dynamics_thread_sources
    dynamics/parameter_scan.h dynamics/parameter_scan.cpp
)
set(tarnis_model_continuous_sources
    continuous/hutchinson.h continuous/hutchinson.cpp
    continuous/continuous_regime.h continuous/continuous_regime.cpp
)
set(tarnis_model_chance_sources
    chance/random_numbers.h chance/random_numbers.cpp
    chance/elementary.h chance/elementary.cpp
    chance/distributions.h chance/distributions.cpp
    chance/noisy_run.h chance/noisy_run.cpp
    chance/ensemble.h chance/ensemble.cpp
)
set(tarnis_model_chance_thread_sources
    chance/ensemble_threads.h chance/ensemble_threads.cpp
)
set(tarnis_model_words_sources
    words/quantity_text.h words/quantity_text.cpp
    words/chart_words.h words/chart_words.cpp
    words/regime_words.h words/regime_words.cpp
    words/continuous_words.h words/continuous_words.cpp
    words/chance_words.h words/chance_words.cpp
    words/ensemble_table.h words/ensemble_table.cpp
)
set(tarnis_model_screens_sources
    screens/identity.h screens/identity.cpp
    screens/teaching_texts.h screens/teaching_texts.cpp
    screens/main_window_texts.h screens/main_window_texts.cpp
    screens/title_animation.h screens/title_animation.cpp
)
set(tarnis_model_lessons_sources
    lessons/json_text.h lessons/json_text.cpp
    lessons/setup.h lessons/setup.cpp
    lessons/activities.h lessons/activities.cpp
)
# All of them, for the builds that make one library of the model.
set(tarnis_model_sources)
foreach(subject IN LISTS tarnis_model_subjects)
    list(APPEND tarnis_model_sources ${tarnis_model_${subject}_sources})
endforeach()
set(tarnis_model_thread_sources ${tarnis_model_dynamics_thread_sources} ${tarnis_model_chance_thread_sources})

# Where this copy of Tarnis can be reached: its home page, the address of its source code and an
# e-mail address for comments, set by whoever builds it for others. None is set by default, and no
# text then shows an address: the source comes with the release instead (scripts/package builds the
# archive). Taken from the environment when cmake is not given them, so that the native build and the
# WebAssembly module, configured apart, carry the same:
#   TARNIS_HOME_PAGE=https://… TARNIS_SOURCE_ADDRESS=https://… TARNIS_CONTACT_EMAIL=… scripts/package
foreach(setting TARNIS_HOME_PAGE TARNIS_SOURCE_ADDRESS TARNIS_CONTACT_EMAIL)
    if(NOT DEFINED ${setting})
        set(${setting} "$ENV{${setting}}")
    endif()
    set(${setting} "${${setting}}" CACHE STRING "An address that Tarnis shows; empty: none")
endforeach()
# screens/identity.cpp reads them from a header made here, in the build folder of whichever build includes this.
set(tarnis_model_generated ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/screens/addresses.h.in ${tarnis_model_generated}/model/screens/addresses.h @ONLY)

# The catalog's tables, compiled from its .po files (one per language) and its template by a script of
# the standard library's Python, into the build folder of whichever build includes this; each build
# adds ${tarnis_model_catalog_tables} to the model's language sources.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(tarnis_catalog_folder ${CMAKE_CURRENT_LIST_DIR}/language/po)
file(GLOB tarnis_catalog_translations CONFIGURE_DEPENDS ${tarnis_catalog_folder}/*.po)
list(SORT tarnis_catalog_translations)
set(tarnis_model_catalog_tables ${tarnis_model_generated}/model/language/catalog_tables.cpp)
add_custom_command(
    OUTPUT ${tarnis_model_catalog_tables}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/language/compile_catalog.py ${tarnis_model_catalog_tables}
            ${tarnis_catalog_folder}/tarnis.pot ${tarnis_catalog_translations}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/language/compile_catalog.py ${tarnis_catalog_folder}/tarnis.pot
            ${tarnis_catalog_translations}
    COMMENT "Compiling the catalog of translations"
    VERBATIM)
