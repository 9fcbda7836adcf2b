// Script of the H5P content type H5P.LumioPresentation 1.0
// ("H5P.LumioPresentation-1.0/lumio-presentation.js" of an exported .h5p).
// Embedded at build time; whole-line comments and indentation are dropped
// when it is written into the package.
//
// The content's slidesData is the deck's slide sections (inline SVG, media
// as data: URIs), UTF-8 and then Base64; the player decodes them into its
// stage and gives them the navigation of the HTML5 player in small.
(function(H5P,$){"use strict";

// Base64 to text, through UTF-8; throws on anything that is not Base64.
function decodeSlides(data){
  var binary=atob(String(data)),bytes=new Uint8Array(binary.length);
  for(var i=0;i<binary.length;i++)bytes[i]=binary.charCodeAt(i);
  if(typeof TextDecoder!=="undefined")return new TextDecoder("utf-8").decode(bytes);
  var escaped="";
  for(var j=0;j<bytes.length;j++)escaped+="%"+(bytes[j]<16?"0":"")+bytes[j].toString(16);
  return decodeURIComponent(escaped);
}

// The fitting of shrunk text, as the HTML5 player does it: fitSlide(section).
{{TEXT_FIT}}

function element(tag,className,attributes){
  var e=document.createElement(tag);
  if(className)e.className=className;
  for(var name in attributes||{})e.setAttribute(name,attributes[name]);
  return e;
}

function button(html,title){
  var b=element("button","",{type:"button"});
  b.innerHTML=html;
  if(title){b.title=title;b.setAttribute("aria-label",title);}
  return b;
}

H5P.LumioPresentation=function(params){
  this.params=params||{};
  this.root=null;
  this.slides=[];
  this.n=1;
  this.timer=null;
};

H5P.LumioPresentation.prototype.attach=function($container){
  var self=this,p=this.params,container=$container&&$container.jquery?$container.get(0):$container;
  container.innerHTML="";
  var root=element("div","lumio-h5p",{role:"application"});
  self.root=root;

  var title=element("div","lumio-h5p-title",{style:"position:absolute;left:10px;top:8px;z-index:5;font-size:13px;font-weight:600;text-shadow:0 1px 3px #000;pointer-events:none"});
  title.textContent=p.title||"Lumio Presentation";

  var stage=element("div","lumio-h5p-stage",{tabindex:"0","aria-label":"Presentation slide"});
  if(p.slidesData){
    try{stage.innerHTML=decodeSlides(p.slidesData);}catch(e){stage.innerHTML="";}
  }
  root.appendChild(stage);
  root.appendChild(title);
  var slides=Array.prototype.slice.call(stage.querySelectorAll(".slide"));
  self.slides=slides;

  var thumbs=element("div","lumio-h5p-thumbs");
  var progress=element("div","lumio-h5p-progress"),fill=document.createElement("i");
  progress.appendChild(fill);
  root.appendChild(thumbs);
  root.appendChild(progress);

  var toolbar=element("div","lumio-h5p-toolbar");
  var prev=button("&#8249;","Previous slide"),play=button("&#9654;","Play slideshow");
  var counter=element("span","lumio-h5p-counter");
  var page=element("input","lumio-h5p-page",{type:"number",min:"1"});
  var go=button("Go"),next=button("&#8250;","Next slide");
  var slidesButton=button("Slides","Toggle thumbnails"),full=button("&#x26F6;","Fullscreen");
  [prev,play,counter,page,go,next,slidesButton,full].forEach(function(c){toolbar.appendChild(c);});
  root.appendChild(toolbar);
  container.appendChild(root);

  // Any number: rounded, and kept within the deck.
  function show(i){
    if(!slides.length)return;
    var v=Math.round(Number(i));
    if(isNaN(v))v=1;
    self.n=Math.min(Math.max(v,1),slides.length);
    var n=self.n;
    slides.forEach(function(s,k){s.classList.toggle("active",k===n-1);});
    fitSlide(slides[n-1]);
    counter.textContent=n+" / "+slides.length;
    page.value=String(n);
    fill.style.width=(slides.length<2?100:(n-1)/(slides.length-1)*100)+"%";
    Array.prototype.forEach.call(thumbs.children,function(t,k){t.classList.toggle("active",k===n-1);});
  }
  self.show=show;

  prev.addEventListener("click",function(){show(self.n-1);});
  next.addEventListener("click",function(){show(self.n+1);});
  function goToPage(){show(Number(page.value)||1);}
  go.addEventListener("click",goToPage);
  page.addEventListener("keydown",function(e){if(e.key==="Enter")goToPage();});

  // The slideshow: every interval seconds (at least one; 5 when unset or 0)
  // the next slide, stopping on the last one.
  function stop(){
    clearInterval(self.timer);
    self.timer=null;
    play.innerHTML="&#9654;";
  }
  function start(){
    stop();
    if(slides.length<2)return;
    var seconds=Math.max(1,Number(p.interval||5));
    self.timer=setInterval(function(){
      if(self.n>=slides.length)stop();
      else show(self.n+1);
    },seconds*1000);
    play.innerHTML="&#10074;&#10074;";
  }
  play.addEventListener("click",function(){if(self.timer)stop();else start();});

  slidesButton.addEventListener("click",function(){
    if(p.showThumbnails!==false)root.classList.toggle("thumbs-open");
  });
  full.addEventListener("click",function(){
    if(root.requestFullscreen)root.requestFullscreen();
    else if(root.webkitRequestFullscreen)root.webkitRequestFullscreen();
  });

  progress.addEventListener("click",function(e){
    var box=progress.getBoundingClientRect();
    var at=box.width>0?Math.min(Math.max((e.clientX-box.left)/box.width,0),1):0;
    show(1+at*(slides.length-1));
  });

  slides.forEach(function(s,k){
    var thumb=button("","Slide "+(k+1));
    thumb.className="lumio-h5p-thumb";
    thumb.innerHTML="";
    var svg=s.querySelector("svg");
    if(svg)thumb.appendChild(svg.cloneNode(true));
    thumb.addEventListener("click",function(){show(k+1);root.classList.remove("thumbs-open");});
    thumbs.appendChild(thumb);
  });

  stage.addEventListener("keydown",function(e){
    var k=e.key;
    if(k==="ArrowLeft"||k==="PageUp")show(self.n-1);
    else if(k==="ArrowRight"||k==="PageDown"||k===" "||k==="Spacebar"){e.preventDefault();show(self.n+1);}
    else if(k==="Home")show(1);
    else if(k==="End")show(slides.length);
    else if(k==="p"||k==="P")play.click();
  });

  var touchX=0;
  stage.addEventListener("touchstart",function(e){
    if(e.touches.length===1)touchX=e.touches[0].clientX;
  },{passive:true});
  stage.addEventListener("touchend",function(e){
    if(e.changedTouches.length!==1)return;
    var dx=e.changedTouches[0].clientX-touchX;
    if(Math.abs(dx)>45)show(dx<0?self.n+1:self.n-1);
  },{passive:true});

  show(1);
  if(p.autoplay===true)start();
};

})(H5P,H5P.jQuery);
