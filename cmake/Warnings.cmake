# Warnings for our own targets: zk_warnings(<target>).
function(zk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                         -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
endfunction()
