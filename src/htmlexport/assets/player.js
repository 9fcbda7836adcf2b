// Script of the HTML5 player page. Embedded at build time; whole-line
// comments and indentation are dropped when it is written into a document,
// which wraps it in <script> and </script>. {{TITLE}} is the deck's title,
// already escaped for a single-quoted literal.
(function(){"use strict";
const player=document.getElementById('player'),stage=document.getElementById('stage'),slides=Array.prototype.slice.call(document.querySelectorAll('.slide')),page=document.getElementById('page'),counter=document.getElementById('counter'),fill=document.querySelector('.progress-fill'),progress=document.getElementById('progress'),thumbs=document.getElementById('thumbs'),hint=document.getElementById('hint'),title='{{TITLE}}',total=slides.length;
let n=1,playing=false,timer=null,uiTimer=null,touchX=0,touchY=0;
let hintTimer=null;
const prevBtn=document.getElementById('prev'),nextBtn=document.getElementById('next'),playBtn=document.getElementById('play'),fsBtn=document.getElementById('fullscreen');

function showHint(t){
  hint.textContent=t;
  hint.classList.add('show');
  clearTimeout(hintTimer);
  hintTimer=setTimeout(function(){hint.classList.remove('show');},1300);
}

function updateUI(){
  slides.forEach(function(s,i){s.classList.toggle('active',i===n-1);});
  page.value=String(n);
  counter.textContent=n+' / '+total;
  fill.style.width=(total<=1?100:(n-1)/(total-1)*100)+'%';
  progress.setAttribute('aria-valuemax',String(total));
  progress.setAttribute('aria-valuenow',String(n));
  document.title=title+' \u2014 '+n+' / '+total;
  Array.prototype.forEach.call(thumbs.children,function(b,i){b.classList.toggle('active',i===n-1);});
  prevBtn.disabled=n===1;
  nextBtn.disabled=n===total;
}

// The fitting of shrunk text (text_fit.js): fitSlide(section).
{{TEXT_FIT}}

// Anything the page box or a host page hands over: 0, text and NaN mean
// slide 1, fractions round, and the result stays within the deck.
function show(i){
  if(total===0)return;
  let v=Number(i);
  if(!v)v=1;
  v=Math.round(v);
  n=Math.min(Math.max(v,1),total);
  updateUI();
  fitSlide(slides[n-1]);
  stage.focus({preventScroll:true});
}
function next(){show(Math.min(n+1,total));}
function prev(){show(Math.max(n-1,1));}

function startPlay(){
  if(playing)return;
  playing=true;
  playBtn.textContent='\u275a\u275a';
  playBtn.title='Pause slideshow';
  timer=setInterval(function(){if(n<total)show(n+1);else stopPlay();},5000);
}
function stopPlay(){
  playing=false;
  clearInterval(timer);
  timer=null;
  playBtn.textContent='\u25b6';
  playBtn.title='Play slideshow';
}
function togglePlay(){if(playing)stopPlay();else startPlay();}

// Both bars show while the pointer moves and fade 2.6 s after it stops.
function reveal(){
  player.classList.add('ui-visible');
  clearTimeout(uiTimer);
  uiTimer=setTimeout(function(){player.classList.remove('ui-visible');},2600);
}
stage.addEventListener('mousemove',reveal);
stage.addEventListener('click',reveal);
player.addEventListener('mouseenter',reveal);
reveal();

prevBtn.addEventListener('click',prev);
nextBtn.addEventListener('click',next);
playBtn.addEventListener('click',togglePlay);
document.getElementById('go').addEventListener('click',function(){show(page.value);});
page.addEventListener('keydown',function(e){if(e.key==='Enter'){e.preventDefault();show(page.value);}});
document.getElementById('thumbToggle').addEventListener('click',function(){player.classList.toggle('thumbs-open');reveal();});
document.getElementById('help').addEventListener('click',function(){showHint('\u2190/\u2192 or PageUp/PageDown - Home/End - Space - F fullscreen - Esc exit');});
// A refused request (no user gesture, no permission) is not a page error.
function quietly(p){if(p&&typeof p.catch==='function')p.catch(function(){});}
fsBtn.addEventListener('click',function(){
  const d=document;
  if(!(d.fullscreenElement||d.webkitFullscreenElement)){
    if(player.requestFullscreen)quietly(player.requestFullscreen());
    else if(player.webkitRequestFullscreen)player.webkitRequestFullscreen();
  }else{
    if(d.exitFullscreen)quietly(d.exitFullscreen());
    else if(d.webkitExitFullscreen)d.webkitExitFullscreen();
  }
});
function fullscreenChanged(){fsBtn.textContent=(document.fullscreenElement||document.webkitFullscreenElement)?'\u00d7':'\u26f6';}
document.addEventListener('fullscreenchange',fullscreenChanged);
document.addEventListener('webkitfullscreenchange',fullscreenChanged);

// Keys typed into the page box stay there. Chords with Ctrl, Alt or Meta
// belong to the browser (print, find, new tab), not to the player.
document.addEventListener('keydown',function(e){
  if(e.target===page&&e.key!=='Escape')return;
  if(e.ctrlKey||e.altKey||e.metaKey)return;
  switch(e.key){
    case 'ArrowRight':case 'PageDown':e.preventDefault();next();reveal();break;
    case 'ArrowLeft':case 'PageUp':e.preventDefault();prev();reveal();break;
    case 'Home':e.preventDefault();show(1);reveal();break;
    case 'End':e.preventDefault();show(total);reveal();break;
    case ' ':case 'Spacebar':case 'Enter':e.preventDefault();next();reveal();break;
    case 'f':case 'F':e.preventDefault();fsBtn.click();break;
    case 'p':case 'P':e.preventDefault();togglePlay();reveal();break;
    case 't':case 'T':e.preventDefault();document.getElementById('thumbToggle').click();break;
  }
});

// Small wheel movements (touchpad jitter) are ignored. Line and page deltas
// are turned into pixels first, or a line-based mouse wheel never passes.
stage.addEventListener('wheel',function(e){
  const dy=e.deltaY*(e.deltaMode===1?16:e.deltaMode===2?stage.clientHeight:1);
  if(Math.abs(dy)<10)return;
  e.preventDefault();
  if(dy>0)next();else prev();
  reveal();
},{passive:false});

// A horizontal swipe of more than 45 px turns the page.
stage.addEventListener('touchstart',function(e){
  if(e.touches.length===1){touchX=e.touches[0].clientX;touchY=e.touches[0].clientY;}
},{passive:true});
stage.addEventListener('touchend',function(e){
  if(e.changedTouches.length!==1)return;
  const dx=e.changedTouches[0].clientX-touchX,dy=e.changedTouches[0].clientY-touchY;
  if(Math.abs(dx)>45&&Math.abs(dx)>Math.abs(dy)){
    if(dx<0)next();else prev();
    reveal();
  }
},{passive:true});

progress.addEventListener('click',function(e){
  const r=progress.getBoundingClientRect();
  const p=r.width>0?Math.min(Math.max((e.clientX-r.left)/r.width,0),1):0;
  show(total===1?1:1+p*(total-1));
  reveal();
});

// Each thumbnail holds a copy of its slide's drawing. The copy's ids are
// renamed so that it clips with its own clip paths, and it takes the slide's
// background, which belongs to the section rather than to the drawing.
slides.forEach(function(s,i){
  const b=document.createElement('button');
  b.type='button';
  b.className='thumb';
  b.title='Slide '+(i+1);
  b.setAttribute('aria-label','Go to slide '+(i+1));
  const svg=s.querySelector('svg');
  if(svg){
    const copy=svg.cloneNode(true);
    const suffix='_t'+(i+1);
    Array.prototype.forEach.call(copy.querySelectorAll('[id]'),function(el){el.id=el.id+suffix;});
    Array.prototype.forEach.call(copy.querySelectorAll('[clip-path]'),function(el){
      el.setAttribute('clip-path',el.getAttribute('clip-path').replace(/url\(#([^)]+)\)/g,'url(#$1'+suffix+')'));
    });
    copy.setAttribute('aria-hidden','true');
    copy.style.background=s.style.background;
    b.appendChild(copy);
  }
  const num=document.createElement('span');
  num.textContent=String(i+1);
  b.appendChild(num);
  b.addEventListener('click',function(){show(i+1);player.classList.remove('thumbs-open');});
  thumbs.appendChild(b);
});

// The only way in for a host page (and for the SCORM wrapper).
window.Tarvik={
  goto:function(i){show(i);},
  next:next,
  previous:prev,
  current:function(){return n;},
  count:function(){return total;},
  play:startPlay,
  pause:stopPlay,
  fullscreen:function(){fsBtn.click();}
};
show(1);})();
