// Service worker of an exported PWA ("service-worker.js"). Embedded at build
// time; whole-line comments and indentation are dropped when it is written.
// {{CACHE_NAME}} is new with every export; {{PRECACHE}} lists every file of
// the folder as a quoted, percent-encoded URL path relative to the worker.
const CACHE_NAME="{{CACHE_NAME}}";
const PRECACHE=[{{PRECACHE}}];
// Installed only once every file is in this export's cache.
self.addEventListener('install',function(event){
  event.waitUntil(caches.open(CACHE_NAME).then(function(cache){return cache.addAll(PRECACHE);}).then(function(){return self.skipWaiting();}));
});
// Earlier exports' caches go, and the open pages come under this worker.
self.addEventListener('activate',function(event){
  event.waitUntil(caches.keys().then(function(names){
    return Promise.all(names.filter(function(name){return name!==CACHE_NAME;}).map(function(name){return caches.delete(name);}));
  }).then(function(){return self.clients.claim();}));
});
// Cache first; what the network brings is kept for next time; without a
// network, anything not cached gets the presentation itself.
self.addEventListener('fetch',function(event){
  var request=event.request;
  if(request.method!=='GET')return;
  if(new URL(request.url).origin!==self.location.origin)return;
  event.respondWith(caches.open(CACHE_NAME).then(function(cache){
    return cache.match(request).then(function(cached){
      if(cached)return cached;
      return fetch(request).then(function(response){
        // A partial answer (a media range) cannot be cached.
        if(response&&response.ok&&response.status!==206){
          cache.put(request,response.clone()).catch(function(){});
        }
        return response;
      }).catch(function(){return cache.match('index.html');});
    });
  }));
});
