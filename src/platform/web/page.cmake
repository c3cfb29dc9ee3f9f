# The web page: the game's WebAssembly, its pictures packaged beside it, the page, and every file
# also gzip-compressed for transfer (tools/web/serve.py sends those to browsers that take them).
set(VZ_WEB_IMAGES "" CACHE PATH "The images folder of a native build (its picture builder's output)")
set(VZ_WEB_SOUNDS "" CACHE PATH "The sounds folder of a native build; the page is silent without it")
if(NOT EXISTS "${VZ_WEB_IMAGES}/.built")
  message(FATAL_ERROR "VZ_WEB_IMAGES must name a native build's images folder with its pictures built (./web does this)")
endif()

function(vz_web_page target)
  set(page_dir ${CMAKE_BINARY_DIR})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME vudizid SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${page_dir}
                        LINK_DEPENDS "${VZ_WEB_IMAGES}/.built;${CMAKE_CURRENT_FUNCTION_LIST_DIR}/page.cmake;${CMAKE_CURRENT_FUNCTION_LIST_DIR}/web_sound.js")
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=1
    -sINITIAL_MEMORY=64MB
    -lidbfs.js
    "-sEXPORTED_RUNTIME_METHODS=['UTF8ToString','FS']"
    # The Web Audio engine; the sounds themselves are fetched by the page after the first frame.
    "SHELL:--pre-js ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/web_sound.js"
    # The pictures only: never a saved game or a half-written file of a native run.
    "SHELL:--preload-file ${VZ_WEB_IMAGES}@/images"
    "SHELL:--exclude-file ${VZ_WEB_IMAGES}/outro.sbf"
    "SHELL:--exclude-file *.tmp"
    "SHELL:--exclude-file ${VZ_WEB_IMAGES}/.built")
  set(source ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/index.html)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND gzip -9 -n -k -f vudizid.js vudizid.wasm vudizid.data
    WORKING_DIRECTORY ${page_dir} VERBATIM)
  add_custom_command(OUTPUT ${page_dir}/index.html ${page_dir}/index.html.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${page_dir}/index.html
    COMMAND gzip -9 -n -k -f index.html
    DEPENDS ${source} WORKING_DIRECTORY ${page_dir} VERBATIM)
  add_custom_target(page ALL DEPENDS ${target} ${page_dir}/index.html)
  # The sounds beside the page, as they are: Ogg Vorbis gains nothing from gzip.
  add_custom_command(TARGET page POST_BUILD
    COMMAND sh -c "rm -rf sounds && mkdir sounds && if [ -d \"$1\" ]; then cp \"$1\"/*.ogg sounds/ 2>/dev/null || true; fi" sh "${VZ_WEB_SOUNDS}"
    WORKING_DIRECTORY ${page_dir} VERBATIM)
endfunction()
