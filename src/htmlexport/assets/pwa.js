// Script of an exported PWA's index.html, after the install button and the
// network badge. Embedded at build time; whole-line comments and indentation
// are dropped when it is written into the page.
(function(){"use strict";
var install=document.getElementById('TarvikInstall'),badge=document.getElementById('TarvikOffline'),offered=null;
// The page works without its worker, only not offline.
if('serviceWorker' in navigator){navigator.serviceWorker.register('service-worker.js').catch(function(){});}
function showNetwork(){
  var online=navigator.onLine;
  badge.textContent=online?'Online':'Offline';
  badge.style.opacity=online?'.9':'1';
}
window.addEventListener('online',showNetwork);
window.addEventListener('offline',showNetwork);
showNetwork();
// The browser's own prompt waits until the author's button asks for it.
window.addEventListener('beforeinstallprompt',function(e){
  e.preventDefault();
  offered=e;
  install.style.display='block';
});
install.addEventListener('click',function(){
  if(!offered)return;
  offered.prompt();
  offered.userChoice.then(function(){
    offered=null;
    install.style.display='none';
  });
});
window.TarvikPWA={
  installed:function(){return window.matchMedia('(display-mode:standalone)').matches||navigator.standalone===true;},
  offline:function(){return !navigator.onLine;}
};
})();
