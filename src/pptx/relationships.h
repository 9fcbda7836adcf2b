// Reads a part's relationship part (_rels/<part>.rels) and resolves each
// relationship id to a file path inside the extraction folder, or, for an
// external relationship, to the target exactly as the package writes it.
//
// An internal target that resolves outside the extraction folder (through
// "..", an absolute path or a drive) is treated as missing: a deck must not
// make us read, embed or copy arbitrary files of the user's disk.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvik {

class RelationshipMap {
 public:
  struct TTarget {
    std::string Path;  // resolved path, or the external target as written
    std::string Type;  // the relationship's Type URI
    bool External = false;
  };

  // The resolved target of an id (exact, case-sensitive), or nullptr.
  const std::string* Find(const std::string& id) const;
  const TTarget* FindTarget(const std::string& id) const;
  bool Contains(const std::string& id) const { return Targets.count(id) != 0; }
  size_t Size() const { return Targets.size(); }
  // The path of the first internal relationship, in file order, whose Type
  // ends with typeSuffix (such as "/slideLayout"); "" when there is none.
  std::string FindInternalByType(const std::string& typeSuffix) const;

  // A later Set of the same id replaces the earlier target; Erase drops it.
  void Set(const std::string& id, TTarget target);
  void Erase(const std::string& id);

 private:
  std::unordered_map<std::string, TTarget> Targets;
  std::vector<std::string> Order;  // ids in file order, first appearance
};

// Reads <partFolder>/_rels/<partFileName>.rels; an empty map when that part
// does not exist. Raises ETarvikError when it is not well-formed XML.
RelationshipMap LoadRelationships(const std::string& partFolder, const std::string& partFileName,
                                  const std::string& extractFolder);

// The resolution rules of one internal target, without the containment test.
// "/x/y" joins the extraction folder with x/y unnormalised; anything else
// joins the part folder and is made a full, normalised path.
std::string ResolveInternalTarget(const std::string& partFolder, const std::string& target,
                                  const std::string& extractFolder);

// Full, normalised form of a path ("." and ".." resolved, no trailing separator).
std::string FullNormalisedPath(const std::string& path);
// True when path lies inside folder or is the folder itself, after both are
// made full and normalised.
bool IsInsideFolder(const std::string& path, const std::string& folder);

}  // namespace tarvik
