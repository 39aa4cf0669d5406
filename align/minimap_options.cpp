#include "minimap_options.h"

bool setSelfAlignOptions(const std::string& preset, mm_idxopt_t& index, mm_mapopt_t& map, std::string& error) {
  mm_set_opt(nullptr, &index, &map);
  if (!preset.empty() && mm_set_opt(preset.c_str(), &index, &map) < 0) {
    error = "minimap2 has no preset '" + preset + "' (asm5, asm10, asm20, map-ont, map-pb, ...)";
    return false;
  }
  // -X: all chains, no diagonal, each pair once, no long joins.
  map.flag |= MM_F_ALL_CHAINS | MM_F_NO_DIAG | MM_F_NO_DUAL | MM_F_NO_LJOIN;
  // -c: base-level alignment, CIGAR in the cg tag.
  map.flag |= MM_F_OUT_CG | MM_F_CIGAR;
  // Said here, before minimap2 prints its own colourful version of it.
  if (map.flag & MM_F_NO_PRINT_2ND) {
    error = "preset '" + preset + "' conflicts with -X, which the self-alignment always uses: it drops the "
            "secondary alignments -X keeps";
    return false;
  }
  // Read pairs are mapped as one fragment; a genome's sequences never are.
  if (map.flag & (MM_F_FRAG_MODE | MM_F_INDEPEND_SEG)) {
    error = "preset '" + preset + "' pairs reads, which the self-alignment (-X) does not do";
    return false;
  }
  if (mm_check_opt(&index, &map) < 0) {
    error = "minimap2 refuses the options of preset '" + preset + "'";
    return false;
  }
  return true;
}
