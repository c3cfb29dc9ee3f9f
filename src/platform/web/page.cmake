# The web page: the game's WebAssembly, its pictures packaged beside it, the page, and every file
# also gzip-compressed for transfer (tools/web/serve.py sends those to browsers that take them).
set(VZ_WEB_IMAGES "" CACHE PATH "The images folder of a native build (its picture builder's output)")
if(NOT EXISTS "${VZ_WEB_IMAGES}/.built")
  message(FATAL_ERROR "VZ_WEB_IMAGES must name a native build's images folder with its pictures built (./web does this)")
endif()

function(vz_web_page target)
  set(page_dir ${CMAKE_BINARY_DIR})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME vudizid SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${page_dir}
                        LINK_DEPENDS "${VZ_WEB_IMAGES}/.built;${CMAKE_CURRENT_FUNCTION_LIST_DIR}/page.cmake")
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=1
    -sINITIAL_MEMORY=64MB
    -lidbfs.js
    "-sEXPORTED_RUNTIME_METHODS=['UTF8ToString','FS']"
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
endfunction()
