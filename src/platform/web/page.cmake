# The web page: the game's WebAssembly and script, the pictures in packs, the sounds, the page, its
# service worker, manifest and icons, put together in site/ by tools/web/page_build.py (every
# fetched file named by its content's hash, and also kept gzip-compressed for tools/web/serve.py).
set(VZ_WEB_IMAGES "" CACHE PATH "The images folder of a native build (its picture builder's output)")
set(VZ_WEB_ICONS "" CACHE PATH "The web icons of a native build (its web-icons target's output)")
set(VZ_WEB_SOUNDS "" CACHE PATH "The sounds folder of a native build; the page is silent without it")
if(NOT EXISTS "${VZ_WEB_IMAGES}/.built")
  message(FATAL_ERROR "VZ_WEB_IMAGES must name a native build's images folder with its pictures built (./web does this)")
endif()
if(NOT EXISTS "${VZ_WEB_ICONS}/512x512/apps/vudizid.png")
  message(FATAL_ERROR "VZ_WEB_ICONS must name a native build's web icons (./web builds them)")
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(vz_web_page target)
  set(page_dir ${CMAKE_BINARY_DIR})
  set(site ${page_dir}/site)
  set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME vudizid SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${page_dir}
                        LINK_DEPENDS "${here}/page.cmake;${here}/web_sound.js")
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=1
    -sINITIAL_MEMORY=64MB
    -sFORCE_FILESYSTEM=1
    "-sEXPORTED_RUNTIME_METHODS=['UTF8ToString','FS','addRunDependency','removeRunDependency']"
    # The Web Audio engine; the sounds themselves are fetched by the page after the first frame.
    "SHELL:--pre-js ${here}/web_sound.js")
  set(builder ${PROJECT_SOURCE_DIR}/tools/web/page_build.py)
  # ./web configures anew before every build, so the list of sounds is always the present one.
  file(GLOB sounds "${VZ_WEB_SOUNDS}/*.ogg")
  add_custom_command(OUTPUT ${site}/index.html
    COMMAND ${Python3_EXECUTABLE} ${builder} --out ${site} --script ${page_dir}/vudizid.js
            --wasm ${page_dir}/vudizid.wasm --images ${VZ_WEB_IMAGES} --packs ${here}/pictures.txt
            --page ${here}/index.html --worker ${here}/sw.js --manifest ${here}/manifest.webmanifest
            --icons ${VZ_WEB_ICONS} --sounds "${VZ_WEB_SOUNDS}"
    DEPENDS ${target} ${builder} ${here}/pictures.txt ${here}/index.html ${here}/sw.js ${here}/manifest.webmanifest
            ${VZ_WEB_IMAGES}/.built ${VZ_WEB_ICONS}/512x512/apps/vudizid.png ${sounds}
    VERBATIM)
  add_custom_target(page ALL DEPENDS ${site}/index.html)
endfunction()
