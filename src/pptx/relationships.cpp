// Relationship parts: reading them and resolving their targets.
#include "pptx/relationships.h"

#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "platform/fs_path.h"
#include "pptx/xml_helpers.h"

namespace fs = std::filesystem;

namespace tarvik {

namespace {

std::string WithNativeSeparators(std::string text) {
  std::replace(text.begin(), text.end(), '/', kPathSep);
  return text;
}

}  // namespace

const RelationshipMap::TTarget* RelationshipMap::FindTarget(const std::string& id) const {
  auto it = Targets.find(id);
  return it == Targets.end() ? nullptr : &it->second;
}

const std::string* RelationshipMap::Find(const std::string& id) const {
  const TTarget* target = FindTarget(id);
  return target ? &target->Path : nullptr;
}

std::string RelationshipMap::FindInternalByType(const std::string& typeSuffix) const {
  for (const std::string& id : Order) {
    const TTarget* target = FindTarget(id);
    if (target && !target->External && target->Type.size() >= typeSuffix.size() &&
        target->Type.compare(target->Type.size() - typeSuffix.size(), typeSuffix.size(), typeSuffix) == 0)
      return target->Path;
  }
  return "";
}

void RelationshipMap::Set(const std::string& id, TTarget target) {
  auto [it, inserted] = Targets.insert_or_assign(id, std::move(target));
  (void)it;
  if (inserted) Order.push_back(id);  // an id erased and set again may stand twice: harmless
}

void RelationshipMap::Erase(const std::string& id) { Targets.erase(id); }

std::string FullNormalisedPath(const std::string& path) {
  fs::path full = ToFs(path);
  if (!full.is_absolute()) {  // absolute() asks for the working folder even when it needs none
    std::error_code ec;
    fs::path made = fs::absolute(full, ec);
    if (!ec) full = made;
  }
  std::string text = FromFs(full.lexically_normal());
  // "a/b/.." normalises to "a/"; keep a root's separator only.
  while (text.size() > 1 && (text.back() == kPathSep || text.back() == '/') &&
         !(text.size() == 3 && text[1] == ':'))
    text.pop_back();
  return text;
}

bool IsInsideFolder(const std::string& path, const std::string& folder) {
  std::string full, base;
  try {
    full = FullNormalisedPath(path);
    base = FullNormalisedPath(folder);
  } catch (const std::exception&) {
    return false;  // a name the file system cannot even represent leads nowhere we may read
  }
  if (full == base) return true;
  if (full.size() <= base.size() || full.compare(0, base.size(), base) != 0) return false;
  char next = full[base.size()];
  return next == kPathSep || next == '/' || base.back() == kPathSep;
}

std::string ResolveInternalTarget(const std::string& partFolder, const std::string& target,
                                  const std::string& extractFolder) {
  if (!target.empty() && target[0] == '/')
    return JoinPath(extractFolder, WithNativeSeparators(target.substr(1)));
  return FullNormalisedPath(JoinPath(partFolder, WithNativeSeparators(target)));
}

RelationshipMap LoadRelationships(const std::string& partFolder, const std::string& partFileName,
                                  const std::string& extractFolder) {
  RelationshipMap map;
  std::string relsPath = JoinPath(JoinPath(partFolder, "_rels"), partFileName + ".rels");
  if (!FileExists(relsPath)) return map;
  auto part = LoadXmlDocument(relsPath);
  for (pugi::xml_node node = part->Root().first_child(); node; node = node.next_sibling()) {
    if (!IsElementNamed(node, "Relationship")) continue;
    std::string id = GetAttrText(node, "Id");
    if (id.empty()) continue;
    RelationshipMap::TTarget target;
    target.Type = GetAttrText(node, "Type");
    std::string written = GetAttrText(node, "Target");
    if (SameText(GetAttrText(node, "TargetMode"), "External")) {
      target.External = true;
      target.Path = written;
    } else {
      try {
        target.Path = ResolveInternalTarget(partFolder, written, extractFolder);
      } catch (const std::exception&) {
        target.Path.clear();  // not a representable path (Windows refuses malformed UTF-8)
      }
      if (target.Path.empty() || !IsInsideFolder(target.Path, extractFolder)) {
        map.Erase(id);  // the later element wins, and it names nothing we may read
        continue;
      }
    }
    map.Set(id, std::move(target));
  }
  return map;
}

}  // namespace tarvik
