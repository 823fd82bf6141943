#pragma once

#include <string_view>

// The container of a compiled help file (.chm), checked before chmlib reads it: chmlib trusts
// the offsets, lengths and counts it finds and reads past its buffers, loops for ever or divides
// by zero on a file that lies about them. The check covers everything chmlib relies on:
// - the ITSF header: signature, version 2 or 3, the directory and content offsets inside the file;
// - the ITSP directory header: signature, version, a chunk size that is a power of two from 256
//   bytes to 64 KiB, the first listing chunk and the index root inside the directory;
// - every listing (PMGL) chunk on the chain from the first one, and every index (PMGI) chunk and
//   what it points to, reachable from the root: no chunk twice on the chain, no cycle in the
//   index, every entry whole inside its chunk (names of 1 to 512 bytes without NUL, section 0
//   or 1, uncompressed data inside the file);
// - for compressed data: the reset table, the LZX control data and the compressed content,
//   unique, uncompressed and inside the file; 32 KiB frames whose compressed sizes fit chmlib's
//   buffer; a window of 32 KiB to 2 MiB; a reset interval chmlib can divide by; and every
//   compressed entry inside the data the table covers.
// The compressed stream itself is not decoded here.

enum class TChmFault {
    None, // chmlib may read the file
    Header, // the ITSF header
    Directory, // the ITSP header or the shape of the directory
    Chunk, // a listing or index chunk, or an entry in it
    Index, // the chain of listing chunks or the index tree
    Compression, // the reset table, the control data or the compressed content
};

TChmFault CheckChmContainer(std::string_view file);
