/* Links QZC10.DLL from its resources alone. ld's default PE script always adds
   a .text, an empty export table and an import directory holding only its
   terminator; a resource library needs none of them. */
SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .rsrc __image_base__ + (__section_alignment__ < 0x1000 ? . : __section_alignment__) :
  {
    *(.rsrc)
    *(.rsrc$*)
  }
  /DISCARD/ : { *(*) }
}
