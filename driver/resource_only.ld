/* Links QZC10.DLL from its resources alone. ld's default PE script always adds
   a .text, an empty export table and an import directory holding only its
   terminator; a resource library needs none of them.
   The .reloc output section stays: the library has nothing to fix up, so ld
   writes no relocations, but without the section ld marks the image
   "relocations stripped", and the loader then refuses to place it anywhere but
   its preferred base, while the DYNAMIC_BASE flag asks it to move it. */
SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .rsrc __image_base__ + (__section_alignment__ < 0x1000 ? . : __section_alignment__) :
  {
    *(.rsrc)
    *(.rsrc$*)
  }
  .reloc BLOCK(__section_alignment__) :
  {
    *(.reloc)
  }
  /DISCARD/ : { *(*) }
}
