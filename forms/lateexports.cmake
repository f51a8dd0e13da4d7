# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DNM=nm -DMODULE=quorvane-windows.so -DOUT=prefix -P lateexports.cmake
# What the window module uses of ours, read from the module itself: the
# program links exactly these in (PREFIX.rsp) and exports them (PREFIX.list).
execute_process(COMMAND ${NM} -D --undefined-only ${MODULE} OUTPUT_VARIABLE undefined RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} could not read ${MODULE}")
endif()
string(REGEX MATCHALL "[^ \n]*8quorvane[^ \n]*" symbols "${undefined}")
list(SORT symbols)
set(list "{\n")
set(rsp "")
foreach(symbol IN LISTS symbols)
  string(APPEND list "  ${symbol};\n")
  string(APPEND rsp "-Wl,--undefined=${symbol}\n")
endforeach()
string(APPEND list "};\n")
file(WRITE ${OUT}.list "${list}")
file(WRITE ${OUT}.rsp "${rsp}")
