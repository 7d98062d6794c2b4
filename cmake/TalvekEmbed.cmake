# talvek_embed(TARGET SYMBOL FILE)
#
# Links FILE into TARGET's read-only data as SYMBOL, with SYMBOL_size, so
# the bytes are used in place without a copy (see core/EmbeddedBlob.h).
enable_language(ASM)

function(talvek_embed target symbol file)
  set(asm ${CMAKE_CURRENT_BINARY_DIR}/embed_${target}_${symbol}.S)
  file(WRITE ${asm}.in [=[
#if defined(_WIN32)
#  define SECTION .section .rdata,"dr"
#else
#  define SECTION .section .rodata
#endif
#define CAT2(a, b) a##b
#define CAT(a, b) CAT2(a, b)
#define SYM(x) CAT(__USER_LABEL_PREFIX__, x)
    SECTION
    .balign 16
    .globl SYM(@SYMBOL@)
SYM(@SYMBOL@):
    .incbin "@FILE@"
SYM(@SYMBOL@_end):
    .byte 0
    .balign 4
    .globl SYM(@SYMBOL@_size)
SYM(@SYMBOL@_size):
    .long SYM(@SYMBOL@_end) - SYM(@SYMBOL@)
#if !defined(_WIN32)
    .section .note.GNU-stack,"",@progbits
#endif
]=])
  set(SYMBOL ${symbol})
  set(FILE ${file})
  configure_file(${asm}.in ${asm} @ONLY)
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${file})
  target_sources(${target} PRIVATE ${asm})
endfunction()
