# The browser edition's module: WebAssembly built by Debian's clang against
# wasi-libc (packages clang, lld, wasi-libc and libc++-14-dev-wasm32). The
# module imports nothing from WASI; the C library gives it memcpy and friends.
set(CMAKE_SYSTEM_NAME Generic)  # this CMake has no WASI platform; none is needed
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(TRAMONTALIA_WEB ON CACHE BOOL "Build the browser edition instead of the console ones")
